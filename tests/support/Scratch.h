// Scratch folders of the tests, all under TAMSEL_TEST_TMP (the build's test area; /tmp when
// unset): a temporary folder removed with its object, and a named program folder (TAMSEL_HOME)
// made afresh for one test.
#pragma once

#include <QString>

#include <filesystem>
#include <string>

namespace testsupport {

// TAMSEL_TEST_TMP or /tmp, created when missing.
std::filesystem::path scratchRoot();

// A new empty folder, removed with its files at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    QString qpath() const { return QString::fromStdString(path_); }
    QString qfile(const QString& name) const { return qpath() + QLatin1Char('/') + name; }

private:
    std::string path_;
};

// The same with the folder and its files named as Qt names them.
class TempFolder {
public:
    QString path() const { return dir_.qpath(); }
    QString file(const QString& name) const { return dir_.qfile(name); }

private:
    TempDir dir_;
};

// The folder `name` under the scratch root (named after the test program too), emptied.
std::filesystem::path scratchFolder(const std::string& name);
// The same made the program's folder (TAMSEL_HOME),
// with its own Roumu.MDB as the office database (TAMSEL_DATABASE unset).
std::filesystem::path programFolder(const std::string& name);
// The same named after the running test ("suite-test", parameters included).
std::filesystem::path programFolder();

} // namespace testsupport
