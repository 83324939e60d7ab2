#pragma once

#include "TuneOutput.h"

#include <QStringList>

namespace velmora::testing {

// A tune output that plays nothing and notes what it was asked to do.
class SilentOutput : public TuneOutput {
public:
    explicit SilentOutput(QStringList& calls) : m_calls(calls) {}
    QString start(QIODevice&, int) override {
        m_calls << "start";
        return {};
    }
    void stop() override { m_calls << "stop"; }

private:
    QStringList& m_calls;
};

} // namespace velmora::testing
