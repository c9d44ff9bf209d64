// CObject and run-time class information: class name, object size, base class, creation function and
// IsKindOf. Classes declare themselves with DECLARE_DYNAMIC / DECLARE_DYNCREATE in the class body and
// IMPLEMENT_DYNAMIC / IMPLEMENT_DYNCREATE in one source file.
#pragma once

#include "framework/core/wintypes.h"

class CObject;
class CArchive;

struct CRuntimeClass
{
    const char* m_lpszClassName;
    int m_nObjectSize;
    CRuntimeClass* m_pBaseClass;       // null for CObject
    CObject* (*m_pfnCreateObject)();   // null unless the class is creatable

    CObject* CreateObject() const;   // null when the class has no creation function
    bool IsDerivedFrom(const CRuntimeClass* base) const;
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name)            \
public:                                        \
    static CRuntimeClass class##class_name;    \
    static CRuntimeClass* GetThisClass()       \
    {                                          \
        return &class_name::class##class_name; \
    }                                          \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define VX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, pfnNew)                                \
    CRuntimeClass class_name::class##class_name = {#class_name, static_cast<int>(sizeof(class_name)), \
                                                   &base_class_name::class##base_class_name, pfnNew}; \
    CRuntimeClass* class_name::GetRuntimeClass() const                                                \
    {                                                                                                 \
        return &class_name::class##class_name;                                                        \
    }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    VX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* class_name::CreateObject()                  \
    {                                                    \
        return new class_name;                           \
    }                                                    \
    VX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, class_name::CreateObject)

class CObject
{
public:
    static CRuntimeClass classCObject;
    static CRuntimeClass* GetThisClass() { return &CObject::classCObject; }
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;
    virtual void Serialize(CArchive& ar);   // nothing by default

    bool IsKindOf(const CRuntimeClass* cls) const;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

// A new object of a creatable class that is a T (the class of a template's document, frame or view); null
// when the class cannot create objects or makes something else (which is deleted again).
template <class T>
T* AfxCreateObjectOf(const CRuntimeClass* pClass)
{
    CObject* pObject = pClass != nullptr ? pClass->CreateObject() : nullptr;
    if (pObject != nullptr && !pObject->IsKindOf(RUNTIME_CLASS(T)))
    {
        delete pObject;
        pObject = nullptr;
    }
    return static_cast<T*>(pObject);
}
