#pragma once

#include <sstream>
#include <string>

namespace tonvela {

// Diagnostic text sink. The program installs an AfxTracer, which discards
// everything: Tonvela writes no log.
class Trace {
public:
    virtual ~Trace() = default;
    virtual void trace(const std::string& text) = 0;
};

class AfxTracer : public Trace {
public:
    void trace(const std::string&) override {}
};

void setTracer(Trace* tracer);
Trace* getTracer();
void traceText(const std::string& text);
// One process-wide stream to compose a record in; not locked, used from one
// thread at a time.
std::ostringstream& traceStream();
void flushTrace();

} // namespace tonvela
