// The C library's double sine and cosine run on every test machine (on powerpc under
// qemu-user through the handler in tests/support/powerpc_fpscr.cpp).
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

TEST(MathLibrary, double_sine_and_cosine_run_on_every_test_machine)
{
    volatile double a = 0.5;
    const double c = cos(a);
    uint64_t bits;
    std::memcpy(&bits, &c, sizeof bits);
    EXPECT_EQ(0x3FEC1528065B7D50u, bits);   // cos(0.5), correctly rounded
    EXPECT_NEAR(0.479425538604203, sin(a), 1e-15);
    EXPECT_EQ(FE_TONEAREST, fegetround());   // the mode the library saved is back
}

}  // namespace
