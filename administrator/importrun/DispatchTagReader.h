#pragma once
#include <platform/automation/ComPtr.h>
#include <platform/automation/Dispatch.h>

#include <administrator/importrun/TagReader.h>

namespace administrator::importrun {

// The tag component driven late-bound, by dispatch identifier, as the run needs it:
// put the file name, then read fields as strings.
class DispatchTagReader : public TagReader {
 public:
  explicit DispatchTagReader(platform::automation::ComPtr<platform::automation::IDispatch> component)
      : component_(std::move(component)) {}

  platform::status::Status load(const std::u16string& path) override;
  platform::status::Status read(TagField field, std::u16string& value) override;

 private:
  platform::automation::ComPtr<platform::automation::IDispatch> component_;
};

}  // namespace administrator::importrun
