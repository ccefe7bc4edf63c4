#include "platform/com/text_property_bag.h"

#include "platform/com/ascii_case.h"

std::pair<std::string, std::string>* TextPropertyBag::Find(std::string_view name)
{
    for (auto& value : values_) {
        if (EqualsIgnoringAsciiCase(value.first, name)) {
            return &value;
        }
    }
    return nullptr;
}

bool TextPropertyBag::Add(std::string name, std::string value)
{
    if (Find(name) != nullptr) {
        return false;
    }
    values_.emplace_back(std::move(name), std::move(value));
    return true;
}

HRESULT TextPropertyBag::QueryInterface(const IID& iid, void** object)
{
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid == IUnknown::kIid || iid == IPropertyBag::kIid) {
        *object = static_cast<IPropertyBag*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT TextPropertyBag::Read(std::string_view name, ZVariantType wanted, ZVariant* value)
{
    if (value == nullptr) {
        return E_POINTER;
    }
    const auto* found = Find(name);
    if (found == nullptr) {
        return E_INVALIDARG;
    }
    const ZVariant text = ZVariant::FromText(found->second);
    if (wanted == ZVariantType::Empty) {
        *value = text;
        return S_OK;
    }
    return text.ChangeType(wanted, *value);
}

HRESULT TextPropertyBag::Write(std::string_view name, const ZVariant& value)
{
    std::string text = ZVariantDisplayText(value);
    if (auto* found = Find(name)) {
        found->second = std::move(text);
    } else {
        values_.emplace_back(std::string(name), std::move(text));
    }
    return S_OK;
}
