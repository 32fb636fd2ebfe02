#include "Csv.h"

#include "Pdf.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace testsupport {

std::vector<std::vector<std::string>> readCsv(const std::filesystem::path& csv) {
    const std::string json = runCommand(
        "python3 -c 'import csv,json,sys; f=open(sys.argv[1],encoding=\"utf-8-sig\",newline=\"\");"
        "print(json.dumps(list(csv.reader(f, strict=True))))' '" +
        csv.string() + "' 2>/dev/null");
    std::vector<std::vector<std::string>> rows;
    for (const QJsonValue& row : QJsonDocument::fromJson(QByteArray::fromStdString(json)).array()) {
        std::vector<std::string> cells;
        for (const QJsonValue& cell : row.toArray())
            cells.push_back(cell.toString().toStdString());
        rows.push_back(std::move(cells));
    }
    return rows;
}

} // namespace testsupport
