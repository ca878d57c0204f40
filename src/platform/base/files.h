// The program's folders and the work files and folders it keeps in them.
#pragma once

#include <QString>

namespace lirma::base {

struct Folders {
    QString program;   // absolute, without trailing separator
    QString localData; // program + "/Data"
    QString data;      // where the tables live: the local data folder unless start-up picks a server folder
    QString temp;      // program + "/Temp": work tables, generated documents, work folders
    QString sqlWork;   // program + "/TmpSQL"

    // Every folder derived from the given program folder (made absolute and clean).
    static Folders ForProgram(const QString& program);
    // The folder named by the environment variable LIRMA_HOME, otherwise the
    // folder of the executable.
    static QString ProgramFolder();
    static Folders Detect() { return ForProgram(ProgramFolder()); }

    bool isLocal() const { return data == localData; }
    // Creates the local data, temporary and SQL work folders that are missing.
    bool createMissing() const;
    // data + "/" + file name.
    QString dataFile(const QString& fileName) const;
};

// The first of temp/name + n + extension, n = 0..100, that does not exist or
// can be deleted (it is deleted); "" when none of the 101 qualifies.
// The extension includes its dot: NextTempFile(f, "U", ".dbf").
QString NextTempFile(const Folders& folders, const QString& name, const QString& extension);

// The first of temp/name + n, n = 0..49, that can be used as an empty folder:
// an existing one is deleted with its content and made again, a missing one is
// made. "" after 50 failures.
QString MakeWorkFolder(const Folders& folders, const QString& name);

// Moves a file, replacing the destination. A rename is tried first; when it
// cannot be done (another file system) the file is copied and the source
// removed. A copy that fails part-way leaves neither a partial destination
// nor a changed one, keeps the source, and gives false. When the copy is
// complete but the source cannot be removed, the destination holds the whole
// file and the result is false.
bool MoveFile(const QString& source, const QString& destination);

// Copies a file over the destination through a temporary file beside it that
// replaces the destination only once it is complete; false on any failure,
// with the destination untouched.
bool CopyFileReplacing(const QString& source, const QString& destination);

// Deletes a folder with its content. Refuses (false, nothing deleted) any path
// that is relative, is not strictly inside the program folder, or leads
// outside it through a symbolic link. A folder that does not exist is
// already deleted (true).
bool DeleteFolder(const Folders& folders, const QString& path);

} // namespace lirma::base
