// The object model: a small stand-in for the component object model that containers use to
// create, query and drive an embedded control across a shared-library boundary.
//
// Contract:
// - Every object is reached through interfaces derived from IUnknown. QueryInterface hands out
//   another interface of the same object, counted (AddRef); asking for an interface the object
//   lacks gives E_NOINTERFACE and a null pointer. Release drops one reference; the last one
//   deletes the object. An object is created with no reference: its creator takes the first
//   through QueryInterface.
// - The caller guarantees that every pointer it passes in lives for the call; an object that
//   keeps a pointer takes a reference of its own.
// - Interfaces carry only plain C++ types, ZVariant and our own interfaces, so that both sides
//   of a library boundary agree on them when built by the same compiler.
// - Threads: everything runs on the GUI thread (a single apartment); nothing here locks.
#pragma once

#include "platform/com/guid.h"
#include "platform/com/hresult.h"

#include <cstdint>
#include <utility>

class IUnknown
{
  public:
    static constexpr IID kIid{0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

    virtual HRESULT QueryInterface(const IID& iid, void** object) = 0;
    virtual uint32_t AddRef() = 0;
    virtual uint32_t Release() = 0;

  protected:
    ~IUnknown() = default;
};

// A counted reference to an interface.
template <typename T> class ComPtr
{
  public:
    ComPtr() = default;
    // Takes a reference of its own.
    ComPtr(T* object) : object_(object)
    {
        if (object_ != nullptr) {
            object_->AddRef();
        }
    }
    ComPtr(const ComPtr& other) : ComPtr(other.object_) {}
    ComPtr(ComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ~ComPtr() { Reset(); }
    ComPtr& operator=(ComPtr other) noexcept
    {
        std::swap(object_, other.object_);
        return *this;
    }

    // Takes over a reference that the caller already holds (an out-value of QueryInterface).
    static ComPtr Adopt(T* object)
    {
        ComPtr pointer;
        pointer.object_ = object;
        return pointer;
    }
    void Reset()
    {
        if (T* object = std::exchange(object_, nullptr)) {
            object->Release();
        }
    }
    // For out-values: releases the current one and gives the slot to fill.
    void** Receive()
    {
        Reset();
        return reinterpret_cast<void**>(&object_);
    }
    T* Get() const { return object_; }
    T* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

  private:
    T* object_ = nullptr;
};

// The interface Target of an object, or null.
template <typename Target, typename Source> ComPtr<Target> QueryAs(Source* object)
{
    ComPtr<Target> result;
    if (object != nullptr) {
        object->QueryInterface(Target::kIid, result.Receive());
    }
    return result;
}
