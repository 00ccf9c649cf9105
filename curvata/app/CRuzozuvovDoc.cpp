#include "CRuzozuvovDoc.h"

#include "AppSettings.h"
#include "CProjectViewAdapter.h"
#include "CRuzozuvovView.h"
#include "MessageBoxService.h"
#include "ProjectReader.h"
#include "ProjectWriter.h"

const QString CRuzozuvovDoc::FileFilter = QStringLiteral("Curvata Project (*.cvp)");

namespace {

const QString kCaption = QStringLiteral("Curvata");

// The text after the last separator, a backslash as well as a slash.
QString fileTitle(const QString& path)
{
    const qsizetype cut =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(cut + 1);
}

} // namespace

CRuzozuvovDoc::CRuzozuvovDoc(DatabaseProvider database, TypesProvider types,
                             AppSettings* settings)
    : m_database(std::move(database)), m_types(std::move(types)), m_settings(settings)
{
}

void CRuzozuvovDoc::SetTitle(const QString& title)
{
    m_title = title;
    if (m_titleObserver)
        m_titleObserver(title);
}

QString CRuzozuvovDoc::Choose(QWidget* parent, CurvataFileDialog::Mode mode)
{
    const CurvataFileDialog::Request request{mode, QString(), FileFilter, QStringLiteral("cvp")};
    return m_choose ? m_choose(parent, request) : CurvataFileDialog::Choose(parent, request);
}

void CRuzozuvovDoc::OnFileNew(CRuzozuvovView& view)
{
    view.SetFuses({});
    view.SetCharacteristic(nullptr, true);
    view.XLines().clear();
    view.YLines().clear();
    view.Redraw();
    m_path.clear();
    SetTitle(QStringLiteral("Untitled"));
}

bool CRuzozuvovDoc::WriteProject(CRuzozuvovView& view)
{
    const CProjectViewAdapter project(view, m_settings);
    const ProjectWriteResult result = ProjectWriter::writeFile(m_path, project);
    if (!result.written) {
        // Silence would leave the user believing the project is safe.
        MessageBoxService::show(
            &view, QStringLiteral("The project could not be saved to %1:\n%2").arg(m_path, result.error),
            kCaption, MessageBoxService::Ok, MessageBoxService::Warning);
        return false;
    }
    if (!result.skipped.isEmpty())
        MessageBoxService::show(&view, result.skippedMessage(), kCaption, MessageBoxService::Ok,
                                MessageBoxService::Warning);
    SetTitle(fileTitle(m_path));
    if (m_settings)
        m_settings->addRecentFile(m_path);
    return true;
}

void CRuzozuvovDoc::OnFileSaveAs(CRuzozuvovView& view)
{
    if (view.Fuses().empty()) {
        MessageBoxService::show(&view, QStringLiteral("There is nothing to save!"), kCaption,
                                MessageBoxService::Ok);
        return;
    }
    const QString path = Choose(&view, CurvataFileDialog::Mode::Save);
    if (path.isEmpty())
        return;
    const QString previous = m_path;
    m_path = path;
    // A file that could not be written does not become the document's.
    if (!WriteProject(view))
        m_path = previous;
}

void CRuzozuvovDoc::OnFileSave(CRuzozuvovView& view)
{
    if (view.Fuses().empty()) {
        MessageBoxService::show(&view, QStringLiteral("There is nothing to save!"), kCaption,
                                MessageBoxService::Ok);
        return;
    }
    if (m_path.isEmpty())
        OnFileSaveAs(view);
    else
        WriteProject(view);
}

bool CRuzozuvovDoc::SaveModified(CRuzozuvovView& view)
{
    if (view.Fuses().empty())
        return true;
    QString question = QStringLiteral("Do you want to save the changes to %s?");
    question.replace(QStringLiteral("%s"), m_title);
    const MessageBoxService::Button answer = MessageBoxService::show(
        &view, question, kCaption,
        MessageBoxService::Yes | MessageBoxService::No | MessageBoxService::Cancel,
        MessageBoxService::Warning);
    if (answer == MessageBoxService::Cancel)
        return false;
    if (answer == MessageBoxService::Yes)
        OnFileSave(view); // opening goes on whatever the save did
    return true;
}

void CRuzozuvovDoc::OnFileOpen(CRuzozuvovView& view)
{
    if (!SaveModified(view))
        return;
    const QString path = Choose(&view, CurvataFileDialog::Mode::Open);
    if (!path.isEmpty())
        OpenProject(view, path);
}

void CRuzozuvovDoc::OnOpenRecentFile(CRuzozuvovView& view, const QString& path)
{
    if (SaveModified(view))
        OpenProject(view, path);
}

bool CRuzozuvovDoc::OpenProject(CRuzozuvovView& view, const QString& path)
{
    m_path = path;
    CProjectViewAdapter project(view, m_settings);
    const ProjectReadResult result =
        ProjectReader(m_database(), m_types()).readFile(path, project);
    view.Redraw();
    if (!result.stopMessage.isEmpty()) {
        MessageBoxService::show(&view, result.stopMessage, kCaption, MessageBoxService::Ok,
                                MessageBoxService::Critical);
    } else if (!result.errors.isEmpty()) {
        MessageBoxService::show(&view, result.errorListMessage(), kCaption, MessageBoxService::Ok,
                                MessageBoxService::Warning);
    }
    if (result.complete) {
        SetTitle(fileTitle(path));
        if (m_settings)
            m_settings->addRecentFile(path);
    }
    return result.complete && result.stopMessage.isEmpty();
}
