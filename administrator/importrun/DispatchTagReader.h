#pragma once
#include <platform/automation/ComPtr.h>
#include <platform/automation/Dispatch.h>

#include <administrator/importrun/TagReader.h>

namespace mervalis {

// The tag component driven late-bound, by dispatch identifier, as the run needs it:
// put the file name, then read fields as strings.
class DispatchTagReader : public TagReader {
 public:
  explicit DispatchTagReader(automation::ComPtr<automation::IDispatch> component)
      : component_(std::move(component)) {}

  Status load(const std::u16string& path) override;
  Status read(TagField field, std::u16string& value) override;

 private:
  automation::ComPtr<automation::IDispatch> component_;
};

}  // namespace mervalis
