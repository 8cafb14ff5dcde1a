// A module with two exports, loaded by the module tests. It depends on the C
// library like every module, so the tests can show that a dependency's
// symbols are not the module's exports.
#include <cstdlib>

extern "C" __attribute__((visibility("default"))) int KesmTestSum(int a, int b) {
  return a + b;
}

extern "C" __attribute__((visibility("default"))) const char KesmTestName[] = "test module";

extern "C" __attribute__((visibility("default"))) void* KesmTestAllocate(std::size_t bytes) {
  return std::malloc(bytes);
}
