#include "framework/core/Object.h"

#include <cstring>
#include <mutex>

namespace {

// Classes register from static initializers in any order; the list head lives in a function so that it
// exists before the first registration.
struct Registry
{
    std::mutex mutex;
    CRuntimeClass* first = nullptr;
};

Registry& TheRegistry()
{
    static Registry registry;
    return registry;
}

} // namespace

CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), nullptr, nullptr, nullptr};
static VxClassRegistration vxRegistration_CObject(&CObject::classCObject);

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return &CObject::classCObject;
}

void CObject::Serialize(CArchive&)
{
}

bool CObject::IsKindOf(const CRuntimeClass* cls) const
{
    return GetRuntimeClass()->IsDerivedFrom(cls);
}

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const
{
    if (!base) return false;
    for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass)
        if (c == base) return true;
    return false;
}

CRuntimeClass* CRuntimeClass::FromName(const char* className)
{
    if (!className) return nullptr;
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    for (CRuntimeClass* c = r.first; c; c = c->m_pNextClass)
        if (std::strcmp(c->m_lpszClassName, className) == 0) return c;
    return nullptr;
}

CObject* CRuntimeClass::CreateObject(const char* className)
{
    CRuntimeClass* c = FromName(className);
    return c ? c->CreateObject() : nullptr;
}

VxClassRegistration::VxClassRegistration(CRuntimeClass* cls)
{
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    for (CRuntimeClass* c = r.first; c; c = c->m_pNextClass)
        if (c == cls) return;
    cls->m_pNextClass = r.first;
    r.first = cls;
}
