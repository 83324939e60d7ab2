// Holds the precompiled test-framework headers that the test programs reuse;
// as a program it is a gtest program without tests.
