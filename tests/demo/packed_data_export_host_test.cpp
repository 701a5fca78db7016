// Decodes the generated data/ and hands it to the full-run tests as packed words, so the
// cross-built run starts from exactly the pictures the native run decoded.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "demo/assets.h"
#include "demo/demo_data.h"
#include "packed_data.h"

namespace {

TEST(packed_data, the_decoded_assets_survive_the_round_trip)
{
    const char* source = std::getenv("VESKARRA_SOURCE_DIR");
    const char* out = std::getenv("VESKARRA_FULL_RUN_DIR");
    if (!source || !out)
        GTEST_SKIP() << "VESKARRA_SOURCE_DIR and VESKARRA_FULL_RUN_DIR not set";
    ASSERT_EQ(load_assets((std::string(source) + "/data").c_str()), 0);
    const std::string path = std::string(out) + "/packed.bin";
    std::system(("mkdir -p '" + std::string(out) + "'").c_str());
    ASSERT_EQ(write_packed_data(path), 0);

    const std::vector<uint32_t> stara(picture_words(pic_stara),
                                      picture_words(pic_stara) + frame_words);
    const std::vector<uint8_t> module(module_data, module_data + module_size);
    const int32_t vertices = model_data[0];
    ASSERT_EQ(read_packed_data(path), 0);
    EXPECT_EQ(std::vector<uint32_t>(picture_words(pic_stara),
                                    picture_words(pic_stara) + frame_words), stara);
    EXPECT_EQ(std::vector<uint8_t>(module_data, module_data + module_size), module);
    EXPECT_EQ(model_data[0], vertices);
    EXPECT_GE(pictures[pic_circle34].width, 353);
}

} // namespace
