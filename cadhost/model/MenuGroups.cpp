#include "MenuGroups.h"

#include "ArgumentCheck.h"
#include "CadError.h"
#include "Windows1250.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

MenuGroups::MenuGroups(const QStringList& hostMenuTitles)
{
    Group host{QStringLiteral("CADHOST"), QString(), {}};
    for (const QString& t : hostMenuTitles) {
        host.menus.append({QStringLiteral("POP%1").arg(host.menus.size() + 1), QString(), t, {}});
        m_bar.append({0, int(host.menus.size()) - 1});
    }
    m_groups.append(host);
}

QString MenuGroups::withoutAccessKey(const QString& label)
{
    QString s = label;
    s.replace(QLatin1String("&&"), QLatin1String("\x01"));
    s.remove(u'&');
    s.replace(u'\x01', u'&');
    return s.trimmed();
}

MenuGroups::Group MenuGroups::parse(const QByteArray& bytes, const QString& fileName)
{
    const QString text =
        Windows1250::isValidUtf8(bytes) ? QString::fromUtf8(bytes) : Windows1250::decode(bytes);
    Group g{QString(), fileName, {}};
    Menu* menu = nullptr;
    bool inPop = false;
    static const QRegularExpression itemLine(QStringLiteral("^(\\S*)\\s*\\[([^\\]]*)\\](.*)$"));
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\\r\\n|\\n|\\r")));
    QString pending;
    for (QString line : lines) {
        if (!pending.isEmpty()) {
            line = pending + line.trimmed();
            pending.clear();
        }
        const QString t = line.trimmed();
        if (t.isEmpty() || t.startsWith(QLatin1String("//")))
            continue;
        if (t.startsWith(QLatin1String("***"))) {
            const QString head = t.mid(3);
            menu = nullptr;
            inPop = false;
            if (head.startsWith(QLatin1String("MENUGROUP="), Qt::CaseInsensitive)) {
                g.name = head.mid(10).trimmed();
            } else if (head.startsWith(QLatin1String("POP"), Qt::CaseInsensitive)) {
                g.menus.append({head.toUpper(), QString(), QString(), {}});
                menu = &g.menus.last();
                inPop = true;
            }
            continue;
        }
        if (!inPop || !menu)
            continue; // toolbars, buttons and other sections are not shown
        if (t.endsWith(u'+')) {
            pending = t.chopped(1);
            continue;
        }
        const auto m = itemLine.match(t);
        if (!m.hasMatch())
            continue;
        if (menu->title.isEmpty() && menu->id.isEmpty()) {
            menu->id = m.captured(1);
            menu->title = m.captured(2).trimmed();
            continue;
        }
        menu->items.append({m.captured(1), m.captured(2).trimmed(), m.captured(3).trimmed()});
    }
    if (g.name.isEmpty())
        throw CadError(CadError::FileError,
                       QStringLiteral("%1 is not a menu file: it has no ***MENUGROUP line.")
                           .arg(QFileInfo(fileName).fileName()));
    ArgumentCheck::name(g.name, QStringLiteral("menu group name"));
    return g;
}

int MenuGroups::load(const QString& path, bool baseMenu)
{
    ArgumentCheck::path(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw CadError(CadError::FileError,
                       QStringLiteral("The menu file %1 cannot be read: %2").arg(path, file.errorString()));
    if (file.size() > MaxMenuFileSize)
        throw CadError(CadError::FileError, QStringLiteral("The menu file %1 is too large.").arg(path));
    Group g = parse(file.readAll(), QFileInfo(path).absoluteFilePath());
    for (const Group& loaded : m_groups)
        if (loaded.name.compare(g.name, Qt::CaseInsensitive) == 0)
            throw CadError(CadError::AlreadyLoaded,
                           QStringLiteral("The menu group %1 is already loaded.").arg(g.name));
    m_groups.append(g);
    const int index = int(m_groups.size()) - 1;
    if (baseMenu)
        for (int m = 0; m < g.menus.size(); ++m)
            m_bar.append({index, m});
    return index;
}

QString MenuGroups::barTitle(int index) const
{
    const BarEntry& e = m_bar[index];
    return withoutAccessKey(m_groups[e.group].menus[e.menu].title);
}

void MenuGroups::insertInMenuBar(int viaGroup, const QString& name, int index)
{
    auto find = [&](int g) -> int {
        const QVector<Menu>& menus = m_groups[g].menus;
        for (int m = 0; m < menus.size(); ++m)
            if (withoutAccessKey(menus[m].title).compare(withoutAccessKey(name), Qt::CaseInsensitive) == 0
                || menus[m].section.compare(name, Qt::CaseInsensitive) == 0
                || (!menus[m].id.isEmpty() && menus[m].id.compare(name, Qt::CaseInsensitive) == 0))
                return m;
        return -1;
    };
    BarEntry entry{-1, -1};
    if (viaGroup >= 0 && viaGroup < m_groups.size() && find(viaGroup) >= 0)
        entry = {viaGroup, find(viaGroup)};
    for (int g = 0; entry.group < 0 && g < m_groups.size(); ++g)
        if (find(g) >= 0)
            entry = {g, find(g)};
    if (entry.group < 0)
        throw CadError(CadError::NotFound, QStringLiteral("No loaded menu is named %1.").arg(name));
    m_bar.removeAll(entry);
    m_bar.insert(std::clamp(index, 0, int(m_bar.size())), entry);
}

std::pair<QString, QString> MenuGroups::startApp(const QString& macro)
{
    static const QRegularExpression re(
        QStringLiteral("\\(\\s*startapp\\s+\"([^\"]*)\"(?:\\s+\"([^\"]*)\")?\\s*\\)"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(macro);
    if (!m.hasMatch())
        return {};
    return {m.captured(1), m.captured(2)};
}
