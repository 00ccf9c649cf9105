#pragma once

#include "FuseSelection.h"

#include <QDialog>
#include <functional>

class AppSettings;
class CharacteristicType;
class CharacteristicTypeTable;
class CRuzozuvovView;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// "Select Fuses": the group tree in the left list, the collected fuses in
// the right one. OK asks for the characteristic type of the collected fuses
// and applies both to the view; the window stays open until a type is
// chosen or the user cancels.
class CRuzozuvovDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr const char* SectionName = "CRuzozuvovDlg";

    // Asks for the type among the offered names; null when none was chosen.
    using CharacteristicChooser = std::function<const CharacteristicType*(const QStringList&)>;

    CRuzozuvovDlg(CRuzozuvovView& view, const FuseDatabase& database,
                  const CharacteristicTypeTable& types, const AppSettings* settings,
                  QWidget* parent = nullptr);

    // The "Select fuses" command: the window over the view's main window,
    // starting from the view's selection.
    static void Run(CRuzozuvovView& view, const FuseDatabase& database,
                    const CharacteristicTypeTable& types, const AppSettings* settings);

    // Replaces the "Select characteristic" window that OK opens.
    void SetCharacteristicChooser(CharacteristicChooser chooser)
    {
        m_chooser = std::move(chooser);
    }

    const FuseSelection& Selection() const { return m_selection; }
    QListWidget* LeftList() const { return m_left; }
    QListWidget* RightList() const { return m_right; }
    QPushButton* MoveRightButton() const { return m_moveRight; }
    QPushButton* MoveLeftButton() const { return m_moveLeft; }
    QPushButton* OkButton() const { return m_ok; }

public slots:
    void accept() override;

private slots:
    void OnDblclkLeft(QListWidgetItem* item);
    void OnMoveRight();
    void OnMoveLeft();

private:
    void FillLists();
    static QList<int> SelectedRows(const QListWidget& list);

    CRuzozuvovView& m_view;
    const CharacteristicTypeTable& m_types;
    const AppSettings* m_settings;
    FuseSelection m_selection;
    CharacteristicChooser m_chooser;
    QListWidget* m_left = nullptr;
    QListWidget* m_right = nullptr;
    QPushButton* m_moveRight = nullptr;
    QPushButton* m_moveLeft = nullptr;
    QPushButton* m_ok = nullptr;
};
