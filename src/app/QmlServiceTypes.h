#pragma once

#include "analysis/NoiseAnalysisTask.h"
#include "capture/BackgroundTask.h"
#include "capture/CaptureExportTask.h"
#include "catalog/AppSettings.h"
#include "catalog/ManagedDevices.h"
#include "catalog/ProductRegistry.h"
#include "catalog/UiConfig.h"
#include "console/CommandCatalog.h"
#include "forward/Forwarder.h"
#include "ins/InsBridge.h"
#include "ins/TelemetryHub.h"
#include "link/Session.h"
#include "link/SessionManager.h"
#include "record/Recorder.h"
#include "replay/ReplayController.h"
#include "upgrade/YModem.h"

#include <QtQml/qqml.h>

// The services QML reaches through the controller, declared to the QML module "Gcs.App"
// from here so that their libraries stay free of QML. Each exists once, as a property of
// the controller; QML never creates one, and the reason names where it is reached.
// (Declarations only: one small struct per type, no class of ours.)

namespace gcs::qml {

struct ForeignProductRegistry
{
    Q_GADGET
    QML_FOREIGN(gcs::ProductRegistry)
    QML_NAMED_ELEMENT(ProductRegistry)
    QML_UNCREATABLE("app.products")
};

struct ForeignManagedDevices
{
    Q_GADGET
    QML_FOREIGN(gcs::ManagedDevices)
    QML_NAMED_ELEMENT(ManagedDevices)
    QML_UNCREATABLE("app.managedDevices")
};

struct ForeignSessionManager
{
    Q_GADGET
    QML_FOREIGN(gcs::SessionManager)
    QML_NAMED_ELEMENT(SessionManager)
    QML_UNCREATABLE("app.sessions")
};

struct ForeignSession
{
    Q_GADGET
    QML_FOREIGN(gcs::Session)
    QML_NAMED_ELEMENT(Session)
    QML_UNCREATABLE("app.sessions.session(id)")
};

struct ForeignTelemetryHub
{
    Q_GADGET
    QML_FOREIGN(gcs::TelemetryHub)
    QML_NAMED_ELEMENT(TelemetryHub)
    QML_UNCREATABLE("app.hub")
};

struct ForeignAppSettings
{
    Q_GADGET
    QML_FOREIGN(gcs::AppSettings)
    QML_NAMED_ELEMENT(AppSettings)
    QML_UNCREATABLE("app.settings")
};

struct ForeignRecorder
{
    Q_GADGET
    QML_FOREIGN(gcs::Recorder)
    QML_NAMED_ELEMENT(Recorder)
    QML_UNCREATABLE("app.recorder")
};

struct ForeignYModem
{
    Q_GADGET
    QML_FOREIGN(gcs::YModem)
    QML_NAMED_ELEMENT(YModem)
    QML_UNCREATABLE("app.ymodem")
};

struct ForeignCommandCatalog
{
    Q_GADGET
    QML_FOREIGN(gcs::CommandCatalog)
    QML_NAMED_ELEMENT(CommandCatalog)
    QML_UNCREATABLE("app.catalog")
};

struct ForeignInsBridge
{
    Q_GADGET
    QML_FOREIGN(gcs::InsBridge)
    QML_NAMED_ELEMENT(InsBridge)
    QML_UNCREATABLE("app.ins")
};

struct ForeignUiConfig
{
    Q_GADGET
    QML_FOREIGN(gcs::UiConfig)
    QML_NAMED_ELEMENT(UiConfig)
    QML_UNCREATABLE("app.uiConfig")
};

struct ForeignBackgroundTask
{
    Q_GADGET
    QML_FOREIGN(gcs::BackgroundTask)
    QML_ANONYMOUS
};

struct ForeignCaptureExportTask
{
    Q_GADGET
    QML_FOREIGN(gcs::CaptureExportTask)
    QML_NAMED_ELEMENT(CaptureExportTask)
    QML_UNCREATABLE("app.captureExport")
};

struct ForeignNoiseAnalysisTask
{
    Q_GADGET
    QML_FOREIGN(gcs::NoiseAnalysisTask)
    QML_NAMED_ELEMENT(NoiseAnalysisTask)
    QML_UNCREATABLE("app.noise")
};

struct ForeignReplayController
{
    Q_GADGET
    QML_FOREIGN(gcs::ReplayController)
    QML_NAMED_ELEMENT(ReplayController)
    QML_UNCREATABLE("app.replay")
};

struct ForeignForwarder
{
    Q_GADGET
    QML_FOREIGN(gcs::Forwarder)
    QML_NAMED_ELEMENT(Forwarder)
    QML_UNCREATABLE("app.forward")
};

} // namespace gcs::qml
