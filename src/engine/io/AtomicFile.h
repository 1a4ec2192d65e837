#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <memory>

class QTemporaryFile;

// Writes the whole file or nothing: an existing file is replaced only once the new one is complete,
// so a crash or a full disk never leaves half a file behind. A target that exists but is not a
// regular file (a device, a folder, a pipe) is refused, never replaced. Returns the system's reason
// on failure, an empty text on success.
QString WriteFileAtomically(const QString& path, const QByteArray& bytes);

// The reason WriteFileAtomically gives for a target that is not a regular file.
QString NotRegularFileReason();

// The two halves of WriteFileAtomically, for a caller that must know the new file is safely on disk
// before it changes anything else. prepare() writes and syncs a temporary file beside the target;
// commit() renames it over the target. Dropped uncommitted, the temporary file is removed.
class AtomicFileWriter {
  public:
    explicit AtomicFileWriter(const QString& path);
    ~AtomicFileWriter();
    // The new file takes the mode of modeFrom when that exists (else of the target, else the
    // default for a new file).
    QString prepare(const QByteArray& bytes, const QString& modeFrom = QString());
    QString commit();

  private:
    QString m_path;
    QString m_tempName;
    std::unique_ptr<QTemporaryFile> m_temp;
};

// The name a temporary file of target gets: hidden, and marked as this program's so that nothing a
// user names is ever taken for one.
QString AtomicTempTemplate(const QString& target);

// A write killed between writing and renaming leaves its temporary file behind; removes those of the
// given file names in dir (and nothing else). Returns how many were removed.
int RemoveStaleSaveFiles(const QString& dir, const QStringList& names);
