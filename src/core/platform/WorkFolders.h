#pragma once

#include <string>

// Where the program keeps its own files.
//
// The data folder ($XDG_DATA_HOME/VEXOR, by default ~/.local/share/VEXOR, or a
// folder given by the caller) holds the user's files: settings/ for settings
// files and Oscyloskop/ for recordings. Every call builds the path afresh and
// creates the folders, ignoring failure (a later open reports it), and returns
// the path with a trailing '/'.
//
// The share folder (<folder of the executable>/../share/vexor) holds what comes
// with the program: documents/, Firmware/ and E_Lang/. It works the same from
// the build tree and from an installed tree.
class CWorkFolders {
public:
    // dataRoot: the data folder; empty means the default one.
    explicit CWorkFolders(std::string dataRoot = {});

    // $XDG_DATA_HOME/VEXOR when that is an absolute path, else ~/.local/share/VEXOR.
    static std::string defaultDataFolder();

    std::string dataFolder() const;
    std::string settingsFolder() const;
    std::string oscilloscopeFolder() const;
    // The fitter's own documents (documents/ in the data folder), created on
    // first use: the shared documents folder belongs to the package and is
    // read-only for everyone but root.
    std::string userDocumentsFolder() const;

    // The folder of the running executable, with a trailing '/'; empty when
    // it cannot be found.
    static std::string programFolder();
    static std::string shareFolder();
    static std::string documentsFolder();
    static std::string firmwareFolder();
    static std::string languageFolder();
    // The fitter's manual built as HTML: <share>/doc/vexor/manual/ beside the
    // program's share folder (the build tree and an installed tree alike).
    static std::string manualFolder();
    // The manual's first page for a language index: Polish in Polish, every
    // other language in English; empty when the manual is not there.
    static std::string manualPage(int language);

private:
    std::string m_dataRoot;
};
