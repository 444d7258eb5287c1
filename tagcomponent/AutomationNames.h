#pragma once
// The object model's names the component's implementation speaks in, brought in
// once for the files that make up the control.
#include <platform/automation/ComPtr.h>
#include <platform/automation/Dispatch.h>
#include <platform/automation/Guid.h>
#include <platform/automation/HResult.h>
#include <platform/automation/PropertyBag.h>
#include <platform/automation/VarType.h>
#include <platform/automation/Variant.h>

namespace tagcomponent {

using platform::automation::ComPtr;
using platform::automation::DISP_E_BADINDEX;
using platform::automation::DISP_E_MEMBERNOTFOUND;
using platform::automation::DISPATCH_METHOD;
using platform::automation::DISPATCH_PROPERTYGET;
using platform::automation::DISPATCH_PROPERTYPUT;
using platform::automation::DISPID;
using platform::automation::DISPID_UNKNOWN;
using platform::automation::DISPPARAMS;
using platform::automation::E_POINTER;
using platform::automation::E_UNEXPECTED;
using platform::automation::EXCEPINFO;
using platform::automation::expectNoArguments;
using platform::automation::failed;
using platform::automation::getProperty;
using platform::automation::GUID_NULL;
using platform::automation::HRESULT;
using platform::automation::IDispatch;
using platform::automation::idOfName;
using platform::automation::IID;
using platform::automation::IID_IDispatch;
using platform::automation::IPropertyBag;
using platform::automation::LCID;
using platform::automation::propertyPutArgument;
using platform::automation::putProperty;
using platform::automation::S_OK;
using platform::automation::succeeded;
using platform::automation::Variant;
using platform::automation::VARTYPE;
using platform::automation::VT_BOOL;
using platform::automation::VT_BSTR;
using platform::automation::VT_EMPTY;
using platform::automation::VT_I2;
using platform::automation::VT_I4;
using platform::automation::VT_UI1;

}  // namespace tagcomponent
