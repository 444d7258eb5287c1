#pragma once

#include "catalogue/Catalogue.h"

#include <functional>
#include <string>

namespace testing_support {

// Passes every call to a real catalogue, except those a test tells it to fail,
// so fault tests still check the real catalogue file afterwards.
class FaultyCatalogue : public mervalis::Catalogue {
 public:
  using Status = mervalis::Status;

  explicit FaultyCatalogue(mervalis::Catalogue& real) : real_(real) {}

  bool failOpen = false;
  bool failBegin = false;
  bool failCommit = false;
  std::function<bool(const std::string& track)> failInsert;
  int opens = 0;
  int closes = 0;

  Status open(const std::string& path) override {
    ++opens;
    return failOpen ? injected("open the catalogue \"" + path + "\"") : real_.open(path);
  }
  Status begin() override { return failBegin ? injected("begin a change") : real_.begin(); }
  Status insert(const std::string& track, const std::string& artist, const std::string& album,
                const std::string& fileName) override {
    if (failInsert && failInsert(track)) return injected("add a row to the catalogue");
    return real_.insert(track, artist, album, fileName);
  }
  Status commit() override { return failCommit ? injected("commit a change") : real_.commit(); }
  Status rollback() override { return real_.rollback(); }
  void close() override {
    ++closes;
    real_.close();
  }

 private:
  static Status injected(const std::string& attempt) { return Status::failure(attempt, "injected failure"); }

  mervalis::Catalogue& real_;
};

}  // namespace testing_support
