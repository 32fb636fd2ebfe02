// The form data: its text form, damaged text, and the program's designed boxes loaded into the
// real control and saved back into the form data.
#include "platform/host/FormData.h"
#include "app/frame/FormControls.h"
#include "platform/widgets/UiFont.h"
#include "tests/host/HostTestSupport.h"

#include <gtest/gtest.h>

using namespace plat::automation;
using plat::host::FormData;
using plat::host::FormInstance;

namespace {

TEST(FormData, KeepsInstancesByFormAndNameAndSkipsDamagedBlocks) {
    const std::string text = "# comment\n"
                             "Begin Form1 GenbaID(0) {74398472-EA8E-4E62-913B-2411155402F4}\n"
                             "  DroppedRows = I2:12\n"
                             "  Font = BAG{\n"
                             "    Name = STR:\"IPAGothic\"\n"
                             "  }\n"
                             "  this line is not a property\n"
                             "End\n"
                             "stray line\n"
                             "Begin Form1 Bad not-a-class-id\n"
                             "  Caption = STR:\"x\"\n"
                             "End\n"
                             "Begin form1 genbaid(0) {74398472-EA8E-4E62-913B-2411155402F4}\n"
                             "  DroppedRows = I2:14\n"
                             "End\n"
                             "Begin Form2 SyainID {74398472-EA8E-4E62-913B-2411155402F4}\n"
                             "  Text = STR:\"truncated\"\n";
    int problems = 0;
    const FormData data = FormData::fromText(text, &problems);
    // The unreadable property line, the stray line, the bad header and the missing End.
    EXPECT_EQ(problems, 4);
    ASSERT_EQ(data.instances().size(), 1u);
    const FormInstance* f = data.find("FORM1", "GenbaID(0)");
    ASSERT_NE(f, nullptr);
    // The later block of the same instance replaced the earlier one.
    EXPECT_EQ(f->bag.read(u"DroppedRows"), Variant(std::int16_t{14}));
    EXPECT_FALSE(f->bag.contains(u"Font"));
    EXPECT_EQ(data.find("Form2", "SyainID"), nullptr);

    FormData again = FormData::fromText(data.toText(), &problems);
    EXPECT_EQ(problems, 0);
    FormInstance second{"Form1", "GenbaID(1)", f->clsid, {}};
    second.bag.writeBag(u"Font", PropertyBag::fromText("Name = STR:\"IPAGothic\"\n"));
    again.put(second);
    const FormData third = FormData::fromText(again.toText(), &problems);
    EXPECT_EQ(problems, 0);
    ASSERT_EQ(third.instancesOf("form1").size(), 2u);
    EXPECT_EQ(third.instancesOf("form1")[1]->bag, second.bag);
}

TEST(FormData, EveryDesignedBoxLoadsIntoTheControlWithItsDesignedValues) {
    testsupport::qtApp();
    const auto& data = tamsel::formData();
    std::vector<std::string> names;
    for (const FormInstance& f : data.instances())
        names.push_back(f.form + "." + f.control);
    EXPECT_EQ(names.size(), 11u);
    EXPECT_EQ(data.instancesOf("RoumuEntrySub2").size(), 9u);
    for (const char* form : {"RoumuEntry", "PrtSyainRoumu"})
        EXPECT_NE(data.find(form, "SyainID"), nullptr) << form;

    QWidget window;
    window.setFont(plat::widgets::uiFont());
    for (const FormInstance& f : data.instances()) {
        SCOPED_TRACE(f.form + "." + f.control);
        EXPECT_EQ(f.clsid, hosttest::controlClass());
        AutomationError error;
        plat::host::HostedControl* c =
            tamsel::createFormControl(&window, f.form, QString::fromStdString(f.control), error);
        ASSERT_NE(c, nullptr) << error.descriptionUtf8();
        EXPECT_GE(c->get(u"DroppedRows").toLong(), 10);
        for (auto flag : {u"IgnoreCase", u"IgnoreKanaCase", u"IgnoreCharSet"})
            EXPECT_TRUE(c->get(flag).toBool());
        EXPECT_EQ(c->get(u"Caption").toString(), u"");
        // Number and name columns; the name column shows twenty full-width characters.
        EXPECT_EQ(c->get(u"ColumnWidth", {Variant(std::int32_t{0})}).toLong(), 56);
        const int nameWidth = c->get(u"ColumnWidth", {Variant(std::int32_t{1})}).toLong();
        const QFontMetrics metrics(c->font());
        EXPECT_GE(nameWidth, metrics.horizontalAdvance(QString(20, QChar(0x5DE5))));
        EXPECT_GE(c->get(u"DroppedWidth").toLong(), 56 + nameWidth);
        EXPECT_FALSE(c->isModified());
    }
}

TEST(FormData, AnInstanceSavedIntoTheFormDataComesBackTheSame) {
    testsupport::qtApp();
    QWidget window;
    AutomationError error;
    plat::host::HostedControl* c =
        tamsel::createFormControl(&window, "RoumuEntrySub2", QStringLiteral("GenbaID(4)"), error);
    ASSERT_NE(c, nullptr) << error.descriptionUtf8();
    c->put(u"DroppedRows", Variant(std::int16_t{15}));
    c->put(u"MaskText", Variant(u"現場"));
    c->resize(90, 22);

    FormData data = tamsel::formData();
    tamsel::saveFormControl(data, "RoumuEntrySub2", *c);
    int problems = 0;
    const FormData reread = FormData::fromText(data.toText(), &problems);
    EXPECT_EQ(problems, 0);
    EXPECT_EQ(reread.instances().size(), data.instances().size());
    const FormInstance* saved = reread.find("RoumuEntrySub2", "GenbaID(4)");
    ASSERT_NE(saved, nullptr);
    // Only what differs from a new instance is kept.
    EXPECT_TRUE(saved->bag.contains(u"MaskText"));
    EXPECT_FALSE(saved->bag.contains(u"BorderStyle"));
    EXPECT_FALSE(saved->bag.contains(u"Font"));

    plat::host::HostedControl copy(&window, QStringLiteral("GenbaID(4)"));
    ASSERT_TRUE(copy.create(saved->clsid, &saved->bag, &error)) << error.descriptionUtf8();
    EXPECT_EQ(copy.size(), QSize(90, 22));
    EXPECT_EQ(copy.saveProperties(), c->saveProperties());
    // The program's own form data is untouched.
    EXPECT_EQ(tamsel::formData().find("RoumuEntrySub2", "GenbaID(4)")->bag.read(u"DroppedRows"),
              Variant(std::int16_t{12}));
}

} // namespace
