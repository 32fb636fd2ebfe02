// Dispatch by name and identifier on a real component: case-insensitive look-up, optional and
// omitted arguments, indexed properties, out arguments, type information and the errors a
// member raises.
#include "platform/automation/Dispatch.h"
#include "platform/automation/ComponentRegistry.h"
#include "platform/automation/ControlObject.h"
#include "platform/automation/HostSite.h"
#include "platform/automation/Unicode.h"
#include "tests/automation/TestRegistry.h"
#include "tests/automation/component/TallyIds.h"

#include <gtest/gtest.h>

using namespace plat::automation;
using automation_test::ScopedRegistry;

namespace {

class DispatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(registerLibrary(automation_test::tallyLibrary()), status::Ok);
        AutomationError err;
        ASSERT_EQ(createInstance(tally::kProgId, obj, &err), status::Ok) << err.descriptionUtf8();
        ctl = obj->controlObject();
        ASSERT_NE(ctl, nullptr);
        ctl->setClientSite(&site);
        ctl->initNew();
    }
    void TearDown() override {
        if (ctl)
            ctl->close();
    }

    int errorNumber(std::u16string_view name, InvokeKind kind, std::vector<Variant> args = {}) {
        try {
            invokeByName(*obj, name, kind, std::move(args));
            return 0;
        } catch (const AutomationException& e) {
            return e.error().number();
        }
    }

    ScopedRegistry registry;
    SimpleHostSite site;
    std::shared_ptr<Dispatch> obj;
    ControlObject* ctl = nullptr;
};

TEST_F(DispatchTest, LooksUpNamesCaseInsensitivelyIncludingAliases) {
    EXPECT_EQ(obj->memberId(u"Caption"), tally::kCaption);
    EXPECT_EQ(obj->memberId(u"CAPTION"), tally::kCaption);
    EXPECT_EQ(obj->memberId(u"caption"), tally::kCaption);
    EXPECT_EQ(obj->memberId(u"Reset"), tally::kClear);
    EXPECT_EQ(obj->memberId(u"Captio"), dispid::Unknown);
    EXPECT_EQ(obj->memberId(u""), dispid::Unknown);
}

TEST_F(DispatchTest, PropertiesByNameAndByIdentifierAgree) {
    putProperty(*obj, u"caption", Variant(u"社員"));
    std::vector<Variant> none;
    EXPECT_EQ(invokeChecked(*obj, tally::kCaption, InvokeKind::PropertyGet, none),
              Variant(u"社員"));
    // Put converts: a numeric text is accepted for a long property.
    putProperty(*obj, u"Count", Variant(u"  41 "));
    EXPECT_EQ(getProperty(*obj, u"Count"), Variant(std::int32_t{41}));
    EXPECT_EQ(site.changed.back(), tally::kCount);
}

TEST_F(DispatchTest, OptionalArgumentsMayBeOmittedOrGivenAsMissing) {
    EXPECT_EQ(callMethod(*obj, u"Add", {Variant(std::int32_t{5})}), Variant(std::int32_t{5}));
    EXPECT_EQ(callMethod(*obj, u"Add", {Variant(std::int32_t{5}), Variant::missing()}),
              Variant(std::int32_t{10}));
    EXPECT_EQ(callMethod(*obj, u"Add", {Variant(std::int32_t{5}), Variant(std::int16_t{3})}),
              Variant(std::int32_t{25}));
    // A required argument cannot be omitted, and too many or too few arguments are refused.
    EXPECT_EQ(errorNumber(u"Add", InvokeKind::Method, {Variant::missing()}), 450);
    EXPECT_EQ(errorNumber(u"Add", InvokeKind::Method), 450);
    EXPECT_EQ(errorNumber(u"Add", InvokeKind::Method,
                          {Variant(std::int32_t{1}), Variant(std::int32_t{1}), Variant()}),
              450);
    EXPECT_EQ(getProperty(*obj, u"Count"), Variant(std::int32_t{25}))
        << "failed calls change nothing";
}

TEST_F(DispatchTest, IndexedPropertiesTakeIndexArgumentsBeforeTheValue) {
    putProperty(*obj, u"Cell", Variant(u"a"), {Variant(std::int32_t{2}), Variant(std::int32_t{3})});
    putProperty(*obj, u"Cell", Variant(u"b"), {Variant(std::int32_t{2})});
    EXPECT_EQ(getProperty(*obj, u"Cell", {Variant(std::int32_t{2}), Variant(std::int32_t{3})}),
              Variant(u"a"));
    EXPECT_EQ(getProperty(*obj, u"Cell", {Variant(std::int32_t{2}), Variant::missing()}),
              Variant(u"b"));
    EXPECT_EQ(getProperty(*obj, u"Cell", {Variant(std::int32_t{9})}), Variant(u""));
}

TEST_F(DispatchTest, OutArgumentsAreWrittenThroughReferences) {
    putProperty(*obj, u"Caption", Variant(u"x"));
    putProperty(*obj, u"Count", Variant(std::int32_t{7}));
    Variant count(std::int32_t{0});
    Variant caption(u"");
    EXPECT_EQ(callMethod(*obj, u"GetInfo", {Variant::ref(count), Variant::ref(caption)}),
              Variant(true));
    EXPECT_EQ(count, Variant(std::int32_t{7}));
    EXPECT_EQ(caption, Variant(u"x"));
    // A short out variable keeps its type when the member stores a long.
    Variant shortCount(std::int16_t{0});
    callMethod(*obj, u"GetInfo", {Variant::ref(shortCount)});
    EXPECT_EQ(shortCount, Variant(std::int16_t{7}));
}

TEST_F(DispatchTest, MemberErrorsCarryNumberAndDescriptionAndLeaveTheOldValue) {
    putProperty(*obj, u"Ratio", Variant(std::int16_t{40}));
    try {
        putProperty(*obj, u"Ratio", Variant(std::int16_t{101}));
        FAIL() << "out of range accepted";
    } catch (const AutomationException& e) {
        EXPECT_EQ(e.error().status, static_cast<Status>(0x800A017C));
        EXPECT_EQ(e.error().number(), 380);
        EXPECT_EQ(e.error().descriptionUtf8(), "値が不正です (Tally).");
    }
    EXPECT_EQ(getProperty(*obj, u"Ratio"), Variant(std::int16_t{40}));
    EXPECT_EQ(errorNumber(u"Ratio", InvokeKind::PropertyPut, {Variant(u"abc")}), 13);
    EXPECT_EQ(errorNumber(u"Ratio", InvokeKind::PropertyPut, {Variant(std::int32_t{70000})}), 6);
    EXPECT_EQ(errorNumber(u"Version", InvokeKind::PropertyPut, {Variant(u"2")}),
              errnum::SetNotSupported);
    EXPECT_EQ(errorNumber(u"NoSuchMember", InvokeKind::PropertyGet), 438);
    Variant result;
    AutomationError err;
    std::vector<Variant> none;
    EXPECT_EQ(obj->invoke(999, InvokeKind::PropertyGet, none, result, err), status::MemberNotFound);
}

TEST_F(DispatchTest, RunTimeOnlyMembersFailInDesignMode) {
    site.runMode = false;
    EXPECT_EQ(errorNumber(u"RunValue", InvokeKind::PropertyGet), errnum::GetNotSupported);
    EXPECT_EQ(errorNumber(u"RunValue", InvokeKind::PropertyPut, {Variant(std::int32_t{1})}),
              errnum::SetNotSupported);
    site.runMode = true;
    putProperty(*obj, u"RunValue", Variant(std::int32_t{4}));
    EXPECT_EQ(getProperty(*obj, u"RunValue"), Variant(std::int32_t{4}));
}

TEST_F(DispatchTest, TypeInformationDescribesMembersArgumentsAndEnumerations) {
    const TypeInfo* ti = obj->typeInfo();
    ASSERT_NE(ti, nullptr);
    const MemberInfo* add = ti->findMember(u"add");
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add->id, tally::kAdd);
    EXPECT_EQ(add->kind, MemberKind::Method);
    ASSERT_EQ(add->params.size(), 2u);
    EXPECT_EQ(add->params[0].name, u"Amount");
    EXPECT_FALSE(add->params[0].optional);
    EXPECT_TRUE(add->params[1].optional);
    const MemberInfo* info = ti->findMember(tally::kGetInfo);
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->params[0].byRef);
    const MemberInfo* version = ti->findMember(u"Version");
    ASSERT_NE(version, nullptr);
    EXPECT_TRUE(version->readOnly);
    const EnumInfo* e = ti->findEnum(u"TallyModeConstants");
    ASSERT_NE(e, nullptr);
    ASSERT_NE(e->find(1), nullptr);
    EXPECT_EQ(toUtf8(e->find(1)->name), "tm_加算");
    EXPECT_EQ(e->find(7), nullptr);
}

TEST_F(DispatchTest, ObjectPropertiesConvertThroughTheirDefaultMember) {
    const Variant font = getProperty(*obj, u"Font");
    ASSERT_EQ(font.type(), VarType::Object);
    putProperty(*font.asObject(), u"Name", Variant(u"IPAPGothic"));
    // The font's default member is its name.
    EXPECT_EQ(font.toUtf8(), "IPAPGothic");
    EXPECT_EQ(getProperty(*obj, u"Font").toUtf8(), "IPAPGothic") << "the same object each time";
}

} // namespace
