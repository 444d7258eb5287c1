#pragma once
// The resources this library carries, read from its own resource section.
#include <platform/automation/ComPtr.h>
#include <platform/automation/HResult.h>
#include <platform/resources/ResourceTableView.h>
#include <platform/typelib/TypeInfo.h>

#include <optional>

namespace tagcomponent::ocx {

// Resource names of the About box's pictures (full BMP and ICO files).
constexpr const char* kAboutImageType = "ABOUTIMAGE";
constexpr const char* kAboutIconType = "ABOUTICON";

std::optional<platform::resources::ResourceBytes> ownResource(const platform::resources::ResourceId& type,
                                                              const platform::resources::ResourceId& name);

// TYPELIB 1, loaded; TYPE_E_INVDATAREAD if it is missing or does not parse.
platform::automation::HRESULT loadOwnTypeLibrary(platform::automation::ComPtr<platform::typelib::ITypeLib>& library);

}  // namespace tagcomponent::ocx
