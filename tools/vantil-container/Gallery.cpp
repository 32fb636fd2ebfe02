// The gallery: one form with a grid of controls, each with its own property settings.
#include "tools/vantil-container/Gallery.h"

#include "platform/automation/ComponentRegistry.h"
#include "platform/automation/ControlObject.h"
#include "platform/automation/HostSite.h"

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

#include <list>

using namespace plat::automation;

namespace vantilcontainer {

namespace {

struct Setting {
    const char16_t* name;
    Variant value;
};

struct Sample {
    QString label;
    int height;
    bool design;
    std::vector<Setting> settings;
};

std::vector<Sample> samples() {
    std::vector<Sample> out;
    for (std::int16_t style = 0; style <= 13; ++style) {
        out.push_back({QStringLiteral("BorderStyle %1").arg(style),
                       26,
                       false,
                       {{u"BorderStyle", style},
                        {u"Caption", std::u16string(u"枠線")},
                        {u"Text", std::u16string(u"社員 001")}}});
    }
    out.push_back({QStringLiteral("caption left, ratio 30, focus 3 (design)"),
                   26,
                   true,
                   {{u"Caption", std::u16string(u"社員")}, {u"FocusBorder", std::int16_t{3}}}});
    out.push_back({QStringLiteral("caption top, centred"),
                   44,
                   false,
                   {{u"CaptionPosition", std::int16_t{2}},
                    {u"CaptionRatio", std::int16_t{45}},
                    {u"CaptionAlignmentH", std::int16_t{2}},
                    {u"BorderStyle", std::int16_t{5}},
                    {u"Caption", std::u16string(u"現場名")}}});
    out.push_back(
        {QStringLiteral("caption distributed"),
         26,
         false,
         {{u"CaptionAlignmentH", std::int16_t{3}}, {u"Caption", std::u16string(u"氏名")}}});
    out.push_back({QStringLiteral("caption accelerator, focus frame 3 (design)"),
                   26,
                   true,
                   {{u"CaptionAccelerator", true},
                    {u"CaptionFocusBorder", std::int16_t{3}},
                    {u"Caption", std::u16string(u"&Name")}}});
    out.push_back({QStringLiteral("vertical direction 1"),
                   70,
                   false,
                   {{u"CaptionDirection", std::int16_t{1}},
                    {u"CaptionRatio", std::int16_t{12}},
                    {u"CaptionMultiLine", true},
                    {u"Caption", std::u16string(u"社員番号")}}});
    out.push_back({QStringLiteral("vertical direction 2"),
                   70,
                   false,
                   {{u"CaptionDirection", std::int16_t{2}},
                    {u"CaptionRatio", std::int16_t{12}},
                    {u"CaptionMultiLine", true},
                    {u"Caption", std::u16string(u"社員番号")}}});
    out.push_back(
        {QStringLiteral("multi-line caption"),
         44,
         false,
         {{u"CaptionMultiLine", true}, {u"Caption", std::u16string(u"一行目\r\n二行目")}}});
    for (std::int16_t effect = 0; effect <= 7; ++effect) {
        out.push_back({QStringLiteral("CaptionFont3D %1").arg(effect),
                       26,
                       false,
                       {{u"CaptionFont3D", effect},
                        {u"BackColor", std::int32_t{0xC0C0C0}},
                        {u"CaptionColor", std::int32_t{0x800000}},
                        {u"Caption", std::u16string(u"立体文字")}}});
    }
    out.push_back({QStringLiteral("disabled"),
                   26,
                   false,
                   {{u"Enabled", false},
                    {u"BorderStyle", std::int16_t{5}},
                    {u"Caption", std::u16string(u"無効")},
                    {u"Text", std::u16string(u"入力不可")}}});
    out.push_back({QStringLiteral("input border 1, right aligned text"),
                   26,
                   false,
                   {{u"InputAreaBorder", std::int16_t{1}},
                    {u"AlignmentH", std::int16_t{1}},
                    {u"Caption", std::u16string(u"金額")},
                    {u"Text", std::u16string(u"12,345")}}});
    return out;
}

struct Placed {
    SimpleHostSite site;
    std::shared_ptr<Dispatch> control;
};

} // namespace

bool writeGallery(const QString& pngPath, QString& message) {
    const std::vector<Sample> all = samples();
    constexpr int kColumns = 3;
    constexpr int kCellWidth = 300;
    constexpr int kControlWidth = 280;
    QWidget form;
    form.setAutoFillBackground(true);
    std::list<Placed> placed;
    int x = 0;
    int y = 8;
    int rowHeight = 0;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Sample& s = all[i];
        auto* label = new QLabel(s.label, &form);
        label->setGeometry(x + 8, y, kControlWidth, 16);
        Placed& p = placed.emplace_back();
        p.site.runMode = !s.design;
        p.site.parent = &form;
        AutomationError error;
        if (failed(createInstance("Quodra.VantilBox", p.control, &error)) || !p.control) {
            message = QString::fromUtf8(error.descriptionUtf8());
            return false;
        }
        ControlObject* embedding = p.control->controlObject();
        embedding->setClientSite(&p.site);
        embedding->initNew();
        for (const Setting& st : s.settings) {
            putProperty(*p.control, st.name, st.value);
        }
        embedding->activateInPlace(x + 8, y + 18, kControlWidth, s.height);
        rowHeight = std::max(rowHeight, 18 + s.height + 10);
        x += kCellWidth;
        if ((i + 1) % kColumns == 0) {
            x = 0;
            y += rowHeight;
            rowHeight = 0;
        }
    }
    form.resize(kColumns * kCellWidth, y + rowHeight + 8);
    const bool ok = form.grab().save(pngPath);
    for (Placed& p : placed) {
        p.control->controlObject()->close();
    }
    if (!ok) {
        message = pngPath;
    }
    return ok;
}

} // namespace vantilcontainer
