// A drawing surface that records every call, with fixed text metrics: a single-byte
// character is 6 pixels wide, a double-byte one 12, a line 12 pixels high.
#pragma once

#include "control/core/paint/Surface.h"

#include <string>
#include <vector>

namespace vantil::test {

enum class Op {
    Fill,
    Frame,
    Dotted,
    Focus,
    Line,
    Triangle,
    Invert,
    Picture,
    Text,
    Clip,
    ClearClip
};

struct Call {
    Op op = Op::Fill;
    Rect rect;
    Rgb colour;  // fill, line, text, dotted; top-left colour of a frame
    Rgb colour2; // bottom-right colour of a frame; fill of a triangle
    Point at;    // text origin
    std::string text;
    int angle = 0;
    std::vector<Point> points;

    static Call make(Op op, Rect rect = {}, Rgb colour = {}, Rgb colour2 = {}) {
        Call c;
        c.op = op;
        c.rect = rect;
        c.colour = colour;
        c.colour2 = colour2;
        return c;
    }
};

class RecordingSurface final : public Surface {
public:
    static constexpr int kNarrow = 6;
    static constexpr int kWide = 12;
    static constexpr int kLine = 12;

    std::vector<Call> calls;
    FontRequest font;

    void fillRect(const Rect& r, Rgb c) override { calls.push_back(Call::make(Op::Fill, r, c, c)); }
    using Surface::frameRect;
    void frameRect(const Rect& r, Rgb tl, Rgb br) override {
        calls.push_back(Call::make(Op::Frame, r, tl, br));
    }
    void dottedFrame(const Rect& r, Rgb c) override {
        calls.push_back(Call::make(Op::Dotted, r, c, c));
    }
    void focusRect(const Rect& r) override { calls.push_back(Call::make(Op::Focus, r)); }
    void line(Point a, Point b, Rgb c) override {
        Call call = Call::make(Op::Line, {}, c, c);
        call.points = {a, b};
        calls.push_back(call);
    }
    void triangle(Point a, Point b, Point c, Rgb outline, Rgb fill) override {
        Call call = Call::make(Op::Triangle, {}, outline, fill);
        call.points = {a, b, c};
        calls.push_back(call);
    }
    void invertRect(const Rect& r) override { calls.push_back(Call::make(Op::Invert, r)); }
    void drawPicture(const Rect& square, const plat::automation::Picture&) override {
        calls.push_back(Call::make(Op::Picture, square));
    }
    void setFont(const FontRequest& f) override { font = f; }
    int textWidth(std::string_view text) override;
    int lineHeight() override { return kLine; }
    void drawText(Point origin, std::string_view text, Rgb c) override {
        Call call = Call::make(Op::Text, {}, c, c);
        call.at = origin;
        call.text = std::string(text);
        call.angle = font.angle;
        calls.push_back(call);
    }
    void setClip(const Rect& r) override { calls.push_back(Call::make(Op::Clip, r)); }
    void clearClip() override { calls.push_back(Call::make(Op::ClearClip)); }

    std::vector<Call> only(Op op) const {
        std::vector<Call> out;
        for (const Call& c : calls) {
            if (c.op == op) {
                out.push_back(c);
            }
        }
        return out;
    }
};

} // namespace vantil::test
