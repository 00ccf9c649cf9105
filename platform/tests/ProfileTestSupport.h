#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A scratch directory with copies of the profile fixtures, so that tests
// can write without touching the source tree.
class ProfileScratch
{
public:
    ProfileScratch();
    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    // Copies fixtures/profile/<name> into the scratch directory.
    QString copy(const QString& name) const;
    static QByteArray fixtureBytes(const QString& name);
    static QByteArray bytes(const QString& path);
    static void writeBytes(const QString& path, const QByteArray& bytes);

private:
    QTemporaryDir m_dir;
};
