// A library that exports something, but no resource table.
extern "C" __attribute__((visibility("default"))) int SampleWithoutResources() { return 1; }
