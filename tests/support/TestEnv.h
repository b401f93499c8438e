#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A program folder and a settings store of the test's own, in a temporary folder; the
// previous state comes back when the object goes.
class TestEnv
{
public:
    TestEnv();
    ~TestEnv();

    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString folder() const { return m_dir.path(); }
    // Copies the shipped language database into the program folder.
    void installShippedDatabase() const;
    // Writes a file (bytes as given) into the temporary folder and returns its path.
    QString writeFile(const QString& name, const QByteArray& bytes) const;

private:
    static void restore(const char* name, const QByteArray& value);

    QTemporaryDir m_dir;
    QByteArray m_oldDataHome;
    QByteArray m_oldConfigHome;
};
