// The value of one slip grid field: empty, a number, or a text (site names); its display
// text under a number format, and how typed or written text reads as a number.
#pragma once

#include <QString>

#include <optional>
#include <string>

namespace plat::widgets {

class SlipValue {
public:
    enum class Kind { Empty, Number, Text };

    SlipValue() = default;
    static SlipValue empty() { return SlipValue(); }
    static SlipValue number(double v);
    // An empty text is the empty value: a blanked name cell reads back as empty.
    static SlipValue text(const QString& t);

    Kind kind() const { return kind_; }
    bool isEmpty() const { return kind_ == Kind::Empty; }
    bool isNumber() const { return kind_ == Kind::Number; }
    bool isText() const { return kind_ == Kind::Text; }

    // The screens count an empty field as 0; a text counts as 0 as well.
    double toNumber() const { return kind_ == Kind::Number ? number_ : 0.0; }
    // Numbers come back in their shortest decimal form ("7.5"); empty gives "".
    QString toText() const;

    friend bool operator==(const SlipValue& a, const SlipValue& b);

private:
    Kind kind_ = Kind::Empty;
    double number_ = 0.0;
    QString text_;
};

// The display text of a value under a number format ("#0.0"): numbers are formatted, texts
// shown as they are, empty shows nothing.
QString formatSlipValue(const SlipValue& v, const std::string& format);

// Reads typed or written text as a number: surrounding blanks ignored, full-width digits and
// point accepted. Empty text gives the empty value; anything else that is no number, nullopt.
std::optional<SlipValue> parseSlipNumber(const QString& text);

} // namespace plat::widgets
