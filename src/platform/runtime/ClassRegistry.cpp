#include "platform/runtime/ClassRegistry.h"

namespace rt {

void ClassRegistry::Reset(std::size_t classCapacity) {
    capacity_ = classCapacity;
    classes_.clear();
    members_.clear();
    early_.clear();
}

int ClassRegistry::DeclareClass(ClassRecord record) {
    if (!Known(record.symbol)) return kUnknownSymbol;
    if (record.base && !Known(record.base)) return kUnknownSymbol;
    if (classes_.count(record.symbol.number) != 0) return kAlreadyDeclared;
    if (record.base && classes_.count(record.base.number) == 0) return kUnknownBase;
    if (capacity_ != 0 && classes_.size() >= capacity_) return kFull;
    for (const auto& field : record.fields) {
        if (!Known(field.symbol)) return kUnknownSymbol;
    }
    for (const auto& method : record.methods) {
        if (!Known(method.symbol)) return kUnknownSymbol;
        if (!method.entry) return kNoEntry;
    }
    for (const auto& method : record.methods) {
        early_[{record.symbol.number, method.symbol.number}] =
            MethodRecord{record.symbol, method.symbol, MemberKind::Method, method.entry, 0};
    }
    classes_.emplace(record.symbol.number, std::move(record));
    return kOk;
}

int ClassRegistry::DeclareMethod(MethodRecord record) {
    if (!Known(record.classSymbol) || !Known(record.member)) return kUnknownSymbol;
    if (classes_.count(record.classSymbol.number) == 0) return kUnknownClass;
    if (record.kind != MemberKind::Method && record.kind != MemberKind::Access &&
        record.kind != MemberKind::Assign) {
        return kBadKind;
    }
    if (!record.entry) return kNoEntry;
    const auto key = std::make_tuple(record.classSymbol.number, record.member.number,
                                     static_cast<std::uint16_t>(record.kind));
    if (members_.count(key) != 0) return kAlreadyDeclared;
    members_.emplace(key, std::move(record));
    return kOk;
}

int ClassRegistry::Declare(Declaration declaration) {
    if (auto* cls = std::get_if<ClassRecord>(&declaration)) return DeclareClass(std::move(*cls));
    return DeclareMethod(std::move(std::get<MethodRecord>(declaration)));
}

const ClassRecord* ClassRegistry::FindClass(Symbol cls) const {
    auto it = classes_.find(cls.number);
    return it == classes_.end() ? nullptr : &it->second;
}

bool ClassRegistry::Derives(Symbol cls, Symbol ancestor) const {
    if (!ancestor) return false;
    for (const auto* record = FindClass(cls); record != nullptr; record = FindClass(record->base)) {
        if (record->symbol == ancestor) return true;
    }
    return false;
}

const MethodRecord* ClassRegistry::FindMember(Symbol cls, Symbol member, MemberKind kind) const {
    for (const auto* record = FindClass(cls); record != nullptr; record = FindClass(record->base)) {
        auto it = members_.find(std::make_tuple(record->symbol.number, member.number,
                                                static_cast<std::uint16_t>(kind)));
        if (it != members_.end()) return &it->second;
        if (kind == MemberKind::Method) {
            auto early = early_.find({record->symbol.number, member.number});
            if (early != early_.end()) return &early->second;
        }
    }
    return nullptr;
}

const ExportedField* ClassRegistry::FindField(Symbol cls, Symbol field) const {
    for (const auto* record = FindClass(cls); record != nullptr; record = FindClass(record->base)) {
        for (const auto& exported : record->fields) {
            if (exported.symbol == field) return &exported;
        }
    }
    return nullptr;
}

Symbol ClassRegistry::ClassOf(const Object& object) const {
    const auto symbol = symbols_.Find(object.ClassName());
    if (!symbol || FindClass(*symbol) == nullptr) return Symbol{};
    return *symbol;
}

std::size_t ClassRegistry::MemberCount(MemberKind kind) const {
    std::size_t count = 0;
    for (const auto& [key, record] : members_) {
        if (record.kind == kind) ++count;
    }
    return count;
}

}  // namespace rt
