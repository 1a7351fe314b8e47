#include "runtime/Trace.h"

#include <gtest/gtest.h>
#include <vector>

using namespace tonvela;

namespace {
class RecordingTracer : public Trace {
public:
    void trace(const std::string& text) override { records.push_back(text); }
    std::vector<std::string> records;
};
} // namespace

TEST(Trace, WithoutSinkNothingHappens) {
    setTracer(nullptr);
    traceText("lost");
    traceStream() << "also lost " << 42;
    flushTrace();
    EXPECT_EQ(getTracer(), nullptr);
}

TEST(Trace, FlushHandsOverEachRecordAlone) {
    RecordingTracer tracer;
    setTracer(&tracer);
    traceText("direct");
    traceStream() << "first " << 1;
    flushTrace();
    traceStream() << "second";
    flushTrace();
    setTracer(nullptr);
    EXPECT_EQ(tracer.records, (std::vector<std::string>{"direct", "first 1", "second"}));
}

TEST(Trace, AfxTracerDiscards) {
    AfxTracer tracer;
    setTracer(&tracer);
    traceText("discarded");
    EXPECT_EQ(getTracer(), &tracer);
    setTracer(nullptr);
}
