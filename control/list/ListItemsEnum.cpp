// The collection's enumerator: Next, Skip, Reset and Clone over the item objects.
#include "control/list/ListItemsEnum.h"

#include "control/list/ListItems.h"

#include <algorithm>
#include <vector>

namespace vantil {

using namespace plat::automation;

ListItemsEnum::ListItemsEnum(std::shared_ptr<CListItems> items, std::int32_t cursor)
    : DispatchObject(u"IEnumVARIANT"), items_(std::move(items)), cursor_(cursor) {
    const auto M = MemberKind::Method;
    addMethod(memberInfo(1, u"Next", M, VarType::Long,
                         {paramInfo(u"celt", VarType::Long), paramInfo(u"rgVar", VarType::Variant),
                          paramInfo(u"pCeltFetched", VarType::Variant, true)}),
              [this](std::span<Variant> args) {
                  const auto n = static_cast<std::uint32_t>(args[0].toLong());
                  // The caller's count is not trusted: no more room than items remain.
                  const auto left =
                      static_cast<std::uint32_t>(std::max(0, items_->count() - cursor_));
                  std::vector<Variant> out(std::max<std::uint32_t>(std::min(n, left), 1));
                  std::uint32_t fetched = 0;
                  const bool wantCount = !args[2].isMissing();
                  const Status s = next(n, out.data(), wantCount ? &fetched : nullptr);
                  if (n >= 1 && fetched >= 1) {
                      args[1].assign(out[0]);
                  }
                  if (wantCount) {
                      args[2].assign(Variant(static_cast<std::int32_t>(fetched)));
                  }
                  return Variant(static_cast<std::int32_t>(s));
              });
    addMethod(memberInfo(2, u"Skip", M, VarType::Long, {paramInfo(u"celt", VarType::Long)}),
              [this](std::span<Variant> args) {
                  return Variant(static_cast<std::int32_t>(
                      skip(static_cast<std::uint32_t>(args[0].toLong()))));
              });
    addMethod(memberInfo(3, u"Reset", M, VarType::Void), [this](std::span<Variant>) {
        reset();
        return Variant();
    });
    addMethod(memberInfo(4, u"Clone", M, VarType::Object),
              [this](std::span<Variant>) { return Variant(std::shared_ptr<Dispatch>(clone())); });
}

Status ListItemsEnum::next(std::uint32_t n, Variant* out, std::uint32_t* fetched) {
    if (fetched == nullptr && n > 1) {
        return status::InvalidArg;
    }
    std::uint32_t filled = 0;
    while (filled < n && cursor_ < items_->count()) {
        auto obj = items_->itemAt(cursor_);
        if (!obj) {
            return static_cast<Status>(0x8000FFFF); // unexpected failure
        }
        out[filled] = Variant(std::shared_ptr<Dispatch>(obj));
        ++filled;
        ++cursor_;
    }
    if (fetched != nullptr) {
        *fetched = filled;
    }
    return filled < n ? status::False : status::Ok;
}

Status ListItemsEnum::skip(std::uint32_t n) {
    const std::int64_t left = std::max<std::int64_t>(0, items_->count() - cursor_);
    const std::int64_t step = std::min<std::int64_t>(left, n);
    cursor_ += static_cast<std::int32_t>(step);
    return step == static_cast<std::int64_t>(n) ? status::Ok : status::False;
}

std::shared_ptr<ListItemsEnum> ListItemsEnum::clone() const {
    return std::make_shared<ListItemsEnum>(items_, cursor_);
}

} // namespace vantil
