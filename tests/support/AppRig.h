#pragma once

#include "TestSupport.h"

#include "app/Application.h"
#include "ins/InsBridge.h"

#include <QTest>
#include <QThreadPool>

#include <memory>

namespace gcs::test {

/// The controller against the simulated unit, as its live tests set it up: the rig is a
/// settings home with telvo-sim on a pseudo-terminal and one Application made in that home.
/// Going, it lets the probes still running on the thread pool end before the controller,
/// the simulator and the folder go, in that order.
class AppRig : public SettingsHome
{
public:
    ~AppRig()
    {
        settleProbes();
        m_app.reset();
    }

    /// Not started: each test starts it with the arguments it needs.
    SimProcess& sim() { return m_sim; }
    /// The controller, made on first use.
    Application& app()
    {
        if (!m_app)
            m_app = std::make_unique<Application>();
        return *m_app;
    }

    /// Takes the simulator's port under management at baud and connects it as the window's
    /// "连接" does; true once the link is up.
    bool connectManaged(int baud = 115200)
    {
        Application& a = app();
        return a.stageManualSerialConnect(QStringLiteral("ins"), QString(), m_sim.port(), baud)
            && a.connectCurrentManaged()
            && waitUntil([&a] { return a.currentManagedConnected(); }, kWaitMs);
    }
    /// Connects the simulator's port at baud without a managed device; true once the decoder
    /// reports records of the given format.
    bool connectUntilRecords(const QString& format, int baud = 115200)
    {
        Application& a = app();
        return a.connectSerial(m_sim.port(), baud)
            && waitUntil([&a] { return !a.connecting() && a.currentManagedConnected(); }, kWaitMs)
            && waitUntil([&] { return a.ins()->packetFormat() == format; }, kWaitMs);
    }

    /// Lets every probe still running on the thread pool end and its result reach the
    /// controller.
    void settleProbes()
    {
        QThreadPool::globalInstance()->waitForDone(20000);
        QTest::qWait(50);
    }

private:
    static constexpr int kWaitMs = 20000; // well under a second, unless the machine is loaded

    SimProcess m_sim;
    std::unique_ptr<Application> m_app;
};

} // namespace gcs::test
