#include "runtime/Trace.h"

namespace tonvela {

namespace {
Trace* installed = nullptr;
}

void setTracer(Trace* tracer) {
    installed = tracer;
}

Trace* getTracer() {
    return installed;
}

void traceText(const std::string& text) {
    if (installed)
        installed->trace(text);
}

std::ostringstream& traceStream() {
    static std::ostringstream stream;
    return stream;
}

void flushTrace() {
    std::ostringstream& stream = traceStream();
    traceText(stream.str());
    stream.str(std::string());
    stream.clear();
}

} // namespace tonvela
