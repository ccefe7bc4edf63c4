#include "apps/host/embedding/object_types.h"

const TypeDescription* ClassInterfaceOf(IUnknown* object, int32_t index)
{
    ComPtr<IProvideClassInfo> provider = QueryAs<IProvideClassInfo>(object);
    ComPtr<ITypeInfo> classInfo;
    if (!provider || Failed(provider->GetClassInfo(reinterpret_cast<ITypeInfo**>(classInfo.Receive()))) || !classInfo) {
        return nullptr;
    }
    ComPtr<ITypeInfo> interfaceInfo;
    if (Failed(classInfo->GetImplementedType(index, reinterpret_cast<ITypeInfo**>(interfaceInfo.Receive()))) || !interfaceInfo) {
        return nullptr;
    }
    // The descriptions are compiled into the object's library, which stays loaded.
    return &interfaceInfo->Description();
}

IID EventInterfaceOf(IUnknown* object)
{
    const TypeDescription* events = ClassInterfaceOf(object, 1);
    return events != nullptr ? events->guid : IDispatch::kIid;
}
