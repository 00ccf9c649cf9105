#pragma once

#include "DrawingContent.h"

#include <QObject>
#include <QSet>
#include <QString>

// One open drawing: its content, its file, its window's identity and the events
// it fires. Automation calls, the person's commands and the window all change a
// drawing through this class, so the events are the same whoever acts.
class CadDocument : public QObject
{
    Q_OBJECT
public:
    CadDocument(int number, DrawingContent::IdSource ids, QObject* parent = nullptr);

    // A small number, never reused in one run of the host.
    int number() const { return m_number; }
    // A stable id of the document's window.
    qint64 hwnd() const { return 0x20000 + m_number * 0x10; }
    QString name() const { return m_name; }
    QString fullName() const { return m_fullName; }
    bool isReadOnly() const { return m_readOnly; }
    bool isModified() const { return m_content.revision() != m_savedRevision; }

    DrawingContent& content() { return m_content; }
    const DrawingContent& content() const { return m_content; }

    void setUntitledName(const QString& name);
    // Reads a DXF file (CadError FileError when it cannot). A file with objects this
    // program does not keep opens read-only, so that Save cannot lose them.
    void load(const QString& path, bool readOnly);
    // Writes the drawing to its file; BeginSave before, EndSave only when the file
    // was written (a failed save must not look saved to anyone).
    void save();
    void saveAs(const QString& path);

    // Edits that fire events or must reach the windows.
    qint64 insertBlock(const DxfPoint& point, const QString& nameOrPath, double xs, double ys,
                       double zs, double rotationRadians);
    void insertFileIntoBlock(qint64 blockId, const DxfPoint& point, const QString& path,
                             double xs, double ys, double zs, double rotationRadians);
    QVector<qint64> erase(const QVector<qint64>& ids); // ObjectErased for each
    void undo();                                       // ObjectErased for each id it touches
    // Call after any other change of the content.
    void changed();

    // Selection of the window (entity ids of model space).
    const QSet<qint64>& selection() const { return m_selection; }
    void select(qint64 id);
    void clearSelection();

    void requestRegen() { emit regenRequested(); }
    // Fired by the command that ends this document's life.
    void fireBeginClose() { emit beginClose(); }
    void fireBeginCommand(const QString& name) { emit beginCommand(name); }
    void fireEndCommand(const QString& name) { emit endCommand(name); }

    // The file a client names: absolute; without extension ".dxf" is tried, and
    // backslashes as folder separators. CadError FileError when missing.
    static QString resolveDrawingFile(const QString& path);

signals:
    void beginCommand(const QString& name);
    void endCommand(const QString& name);
    void beginSave(const QString& path);
    void endSave(const QString& path);
    void objectErased(qint64 id);
    void beginClose();
    // For the windows.
    void contentChanged();
    void identityChanged();
    void regenRequested();

private:
    void writeTo(const QString& path);

    int m_number;
    DrawingContent m_content;
    QString m_name;
    QString m_fullName;
    bool m_readOnly = false;
    int m_skipped = 0; // entities of the opened file that saving would lose
    int m_savedRevision = 0;
    QSet<qint64> m_selection;
};
