// Cell texts of the bound grid.
#include "platform/widgets/datactl/CellText.h"

#include "platform/text/Format.h"

namespace plat::widgets {

using plat::jet::ValueType;

QString cellText(const plat::jet::Value& value, std::string_view format) {
    switch (value.type()) {
    case ValueType::Null:
        return {};
    case ValueType::Long:
        return format.empty() ? QString::number(value.toLong())
                              : QString::fromStdString(plat::text::formatNumber(
                                    static_cast<double>(value.toLong()), format));
    case ValueType::Double:
        return QString::fromStdString(plat::text::formatNumber(value.toDouble(), format));
    case ValueType::Currency:
        return format.empty() ? QString::fromStdString(value.toCurrency().toText())
                              : QString::fromStdString(
                                    plat::text::formatCurrency(value.toCurrency().scaled, format));
    case ValueType::Date:
        return QString::fromStdString(plat::text::formatDate(
            value.toDate(), format.empty() ? "yyyy/mm/dd hh:nn:ss" : format));
    case ValueType::Text:
        return QString::fromStdString(value.toText());
    }
    return {};
}

} // namespace plat::widgets
