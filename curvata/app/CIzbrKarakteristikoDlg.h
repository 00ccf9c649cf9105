#pragma once

#include <QDialog>
#include <QStringList>

class AppSettings;
class CharacteristicType;
class CharacteristicTypeTable;
class CRuzozuvovView;
class QListWidget;
class QPushButton;

// "Select characteristic": one characteristic type among those offered (the
// types of the selected fuses). With apply-at-once, OK makes the choice the
// view's characteristic type at once; otherwise the caller reads Result().
class CIzbrKarakteristikoDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr const char* SectionName = "CIzbrKarakteristikoDlg";

    CIzbrKarakteristikoDlg(const QStringList& typeNames, CRuzozuvovView& view,
                           const CharacteristicTypeTable& types, bool applyAtOnce,
                           const AppSettings* settings, QWidget* parent = nullptr);

    // The "Select characteristic" command: the types of the view's fuses,
    // the choice applied to the view at once.
    static void Run(CRuzozuvovView& view, const CharacteristicTypeTable& types,
                    const AppSettings* settings);

    // The chosen type after OK, null after Cancel or when nothing was chosen.
    const CharacteristicType* Result() const { return m_result; }

    QListWidget* List() const { return m_list; }
    QPushButton* OkButton() const { return m_ok; }

public slots:
    void accept() override;

private:
    CRuzozuvovView& m_view;
    const CharacteristicTypeTable& m_types;
    bool m_applyAtOnce;
    const CharacteristicType* m_result = nullptr;
    QListWidget* m_list = nullptr;
    QPushButton* m_ok = nullptr;
};
