#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// The folder that holds a program's data. Data paths are written as the programs have always
// written them, relative, with backslashes and in any letter case ("My FIle Lists\def.fls");
// each component is matched against what exists without regard to letter case, and a
// component that does not exist yet keeps the spelling given.
// A name the user or a server gives that becomes one file name: not empty, no separator, no NUL
// and no ".", so no way up or out of the folder it is taken in (".." nowhere, "." not alone).
bool isPlainName(std::string_view name);

// A relative path that stays inside the folder it is taken in: not absolute, no ".." component.
bool staysInside(std::string_view relative);

class ProgramFolder {
public:
    explicit ProgramFolder(std::filesystem::path root);

    const std::filesystem::path& root() const { return m_root; }

    // The file or folder that relative names. An absolute path (a file chosen in a dialog) is
    // returned as it is, with its backslashes turned into slashes.
    std::filesystem::path resolve(std::string_view relative) const;

    // Like resolve, and creates the folders that lead to the file.
    std::filesystem::path resolveForWriting(std::string_view relative) const;

    // Resolves a folder and creates it when it is missing.
    std::filesystem::path folder(std::string_view relative) const;

    struct Location {
        std::string environmentVariable;      // e.g. RANQOR_HOME
        std::string marker;                   // a subfolder every program folder has, e.g. edata
        std::filesystem::path executableDir;  // where the running program lies
        std::filesystem::path installedData;  // the read-only copy installed under share/
        std::string userFolderName;           // folder name below the XDG data home
    };

    // Where the program's folder is: the environment variable when set; else the executable's
    // folder when it holds the program's data (a build tree or a portable copy); else a folder
    // of the user's own, filled from the installed copy with whatever it lacks.
    static std::filesystem::path locate(const Location& where);

private:
    std::filesystem::path m_root;
};
