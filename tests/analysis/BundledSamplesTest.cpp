#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "analysis/transform/CoefficientView.h"
#include "analysis/transform/DyadicSignal.h"
#include "analysis/io/SampleReader.h"
#include "analysis/transform/WaveletTransform.h"

namespace analysis {
namespace {

std::string SampleFile(const std::string& name) { return std::string(QUELMAR_SOURCE_DIR) + "/samples/" + name; }

// The files that ship with the tool hold exactly their count of numbers.
TEST(BundledSamples, EachFileReadsCompletely) {
    struct File {
        const char* name;
        int32_t j;
    };
    for (const File& file :
         {File{"doppler_noisy_513.dat", 9}, File{"chirp_noisy_1025.dat", 10}, File{"blocks_257.dat", 8}}) {
        DyadicSignal signal(file.j);
        const ReadResult result = ReadSamples(SampleFile(file.name), signal.Data(), signal.N());
        EXPECT_EQ(result.stop, ReadStop::Complete) << file.name;
        EXPECT_EQ(result.stored, signal.N()) << file.name;
    }
}

// The 513-sample example is meant to show thresholding with the window's
// default threshold of 10: most finest details are noise below it, but not all.
TEST(BundledSamples, DopplerFinestDetailsStraddleTheDefaultThreshold) {
    auto signal = std::make_shared<DyadicSignal>(9);
    ASSERT_EQ(ReadSamples(SampleFile("doppler_noisy_513.dat"), signal->Data(), signal->N()).stop, ReadStop::Complete);
    ForwardTransform(*signal, 3);
    const CoefficientView finest = BuildView(signal, 3, 1);
    int32_t above = 0;
    for (int32_t i = 0; i < finest.Count(); ++i) above += std::fabs(finest[i]) > 10.0;
    EXPECT_GT(above, 5);
    EXPECT_LT(above, finest.Count() / 4);
}

}  // namespace
}  // namespace analysis
