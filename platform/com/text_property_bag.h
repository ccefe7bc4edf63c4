// TextPropertyBag: a container's property bag of named texts (a page's PARAMs, a command line's
// --param values). Names compare without regard to ASCII case; the first value given for a name
// is the one kept. Reads convert the text to the type asked for.
#pragma once

#include "platform/com/property_bag.h"

#include <string>
#include <utility>
#include <vector>

class TextPropertyBag final : public IPropertyBag
{
  public:
    TextPropertyBag() = default;
    TextPropertyBag(const TextPropertyBag&) = delete;
    TextPropertyBag& operator=(const TextPropertyBag&) = delete;

    // False (and nothing changed) when name already has a value.
    bool Add(std::string name, std::string value);
    const std::vector<std::pair<std::string, std::string>>& Values() const { return values_; }

    // Lives on the stack of its owner: references are counted but never delete it.
    HRESULT QueryInterface(const IID& iid, void** object) override;
    uint32_t AddRef() override { return ++count_; }
    uint32_t Release() override { return --count_; }
    HRESULT Read(std::string_view name, ZVariantType wanted, ZVariant* value) override;
    // Replaces the value as its text.
    HRESULT Write(std::string_view name, const ZVariant& value) override;

  private:
    std::pair<std::string, std::string>* Find(std::string_view name);

    uint32_t count_ = 0;
    std::vector<std::pair<std::string, std::string>> values_;
};
