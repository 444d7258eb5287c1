// dispcall PROGID CALL...: creates one object by ProgID and makes the late-bound
// calls in order, one output line per call. Exit 0 when every call succeeded, 1 when
// any failed, 2 when the command line is wrong or the object cannot be created.
#include <iostream>
#include <vector>

#include <platform/automation/ObjectCreation.h>

#include <platform/tools/DispatchCall.h>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: dispcall PROGID [get:ID | callget:ID | call:ID | put:ID=VALUE]...\n";
    return 2;
  }
  std::vector<platform::tools::DispatchCall> calls;
  for (int i = 2; i < argc; ++i) {
    std::string error;
    auto call = platform::tools::parseDispatchCall(argv[i], &error);
    if (!call) {
      std::cerr << "dispcall: " << argv[i] << ": " << error << "\n";
      return 2;
    }
    calls.push_back(std::move(*call));
  }

  platform::automation::ComPtr<platform::automation::IDispatch> object;
  std::string why;
  if (const auto hr = platform::automation::createInstanceByProgId(argv[1], object, &why);
      platform::automation::failed(hr)) {
    std::cerr << "dispcall: cannot create " << argv[1] << ": " << platform::tools::formatFailure(why, hr) << "\n";
    return 2;
  }
  bool anyFailed = false;
  for (const auto& call : calls) {
    std::string line;
    anyFailed |= platform::automation::failed(platform::tools::runDispatchCall(object.get(), call, line));
    std::cout << line << "\n";
  }
  std::cout.flush();
  return anyFailed ? 1 : 0;
}
