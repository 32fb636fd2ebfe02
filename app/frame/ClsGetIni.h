// Reader of a small INI-style configuration file (bkmdb.ini): SetInifile keeps the file's
// meaningful lines, cut of comments, quotes and trailing blanks; GetKeyword and GetKubun answer
// look-ups by section and key, case-insensitively, in the first section of a name only.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace tamsel {

class ClsGetIni {
public:
    // Error numbers SetInifile returns.
    static constexpr std::int16_t kFileNotFound = 53;
    static constexpr std::int16_t kFileAccessError = 75;

    // Reads the file sIninm (UTF-8; a file that is not valid UTF-8 is read as Shift-JIS) and
    // replaces the stored lines. 0 on success, else the number of the error that stopped it.
    std::int16_t SetInifile(const QString& sIninm);
    // Same rules on text already in memory (one entry per line).
    void setText(const QString& text);

    // The value of sKeyword in section sCategory (possibly empty text), or nullopt (Null).
    std::optional<QString> GetKeyword(const QString& sCategory, const QString& sKeyword) const;

    // The entries of section sCategory whose key is a whole number, in file order: the keys
    // into nKBN, the values into sKbnNm (both re-sized to the count, 0-based). Returns the count.
    std::int16_t GetKubun(const QString& sCategory, std::vector<std::int16_t>& nKBN,
                          std::vector<QString>& sKbnNm) const;

    int lineCount() const { return static_cast<int>(lines_.size()); }
    const QStringList& lines() const { return lines_; }

    // The stored form of one raw line: comment cut, trailing spaces, tabs and quotes removed;
    // empty when the line carries nothing.
    static QString cutLine(const QString& raw);
    // Decodes file bytes: UTF-8 (with or without byte-order mark) when valid, else Shift-JIS.
    static QString decode(const QByteArray& bytes);

private:
    // Index of the first line after the header of section, or -1.
    qsizetype sectionStart(const QString& section) const;

    QStringList lines_;
};

} // namespace tamsel
