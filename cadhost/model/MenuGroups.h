#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// Menu groups loaded from menu files and the menu bar made of their pop-up
// menus. The host's own menus form the first group, "CADHOST"; a menu file adds a
// group whose pop-up menus a client then puts into the menu bar.
class MenuGroups
{
public:
    struct Item
    {
        QString id;
        QString label; // as in the file, with & before the access key
        QString macro;
    };
    struct Menu
    {
        QString section; // "POP1"
        QString id;
        QString title;
        QVector<Item> items;
    };
    struct Group
    {
        QString name;
        QString fileName;
        QVector<Menu> menus;
    };
    struct BarEntry
    {
        int group;
        int menu;
        friend bool operator==(const BarEntry&, const BarEntry&) = default;
    };

    static constexpr qint64 MaxMenuFileSize = 1024 * 1024;

    // The host's own menus, by title, are the first group and start the menu bar.
    explicit MenuGroups(const QStringList& hostMenuTitles = {});

    // Parses a menu file: "//" comments, "***MENUGROUP=name", "***POPn" sections whose
    // first line names the menu and whose other lines are "ID [Label]macro" (a line
    // ending with "+" goes on in the next). Text is UTF-8 or the Windows code page.
    // CadError FileError when it is not a menu file.
    static Group parse(const QByteArray& text, const QString& fileName);
    // Loads a menu file as a new group; CadError AlreadyLoaded for a group of the
    // same name (any case), FileError for a file that cannot be read. With
    // baseMenu its menus go into the menu bar at once. Returns the group's index.
    int load(const QString& path, bool baseMenu);

    int count() const { return int(m_groups.size()); }
    const Group& group(int index) const { return m_groups[index]; }
    const QVector<BarEntry>& menuBar() const { return m_bar; }
    QString barTitle(int index) const; // without &

    // Puts the menu named `name` (title without &, or section, any case) into the
    // menu bar before `index`: first among the menus of group `viaGroup`, then of
    // the others. CadError NotFound when no group has it.
    void insertInMenuBar(int viaGroup, const QString& name, int index);

    // The program and argument of a (startapp "program" "argument") macro; empty
    // program when the macro has none.
    static std::pair<QString, QString> startApp(const QString& macro);
    static QString withoutAccessKey(const QString& label);

private:
    QVector<Group> m_groups;
    QVector<BarEntry> m_bar;
};
