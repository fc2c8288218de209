#include "app/RenderSetup.h"

#include <QLoggingCategory>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QStringList>

#if QT_CONFIG(opengl)
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#endif

#ifdef Q_OS_WIN
#include <dxgi.h>
#endif

#if defined(Q_OS_LINUX) && defined(__GLIBC__)
#include <malloc.h>
#endif

Q_DECLARE_LOGGING_CATEGORY(lcApp)

namespace gcs {

namespace {

/// The renderer string of the OpenGL driver Qt Quick would get.
QString openGlRenderer()
{
#if QT_CONFIG(opengl)
    QOpenGLContext context;
    if (!context.create())
        return {};
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface))
        return {};
    const auto* name = reinterpret_cast<const char*>(context.functions()->glGetString(GL_RENDERER));
    const QString renderer = name ? QString::fromLatin1(name) : QString();
    context.doneCurrent();
    return renderer;
#else
    return {};
#endif
}

#ifdef Q_OS_WIN
/// The description of the adapter Direct3D 11 uses by default (the first one), marked
/// as software when DXGI says so or it is the Basic Render Driver (WARP).
QString direct3dAdapter()
{
    IDXGIFactory1* factory = nullptr;
    if (FAILED(CreateDXGIFactory1(__uuidof(IDXGIFactory1), reinterpret_cast<void**>(&factory))))
        return {};
    QString name;
    IDXGIAdapter1* adapter = nullptr;
    if (SUCCEEDED(factory->EnumAdapters1(0, &adapter))) {
        DXGI_ADAPTER_DESC1 desc {};
        if (SUCCEEDED(adapter->GetDesc1(&desc))) {
            name = QString::fromWCharArray(desc.Description);
            constexpr UINT kMicrosoftVendor = 0x1414;
            constexpr UINT kBasicRenderDevice = 0x8c;
            if ((desc.Flags & DXGI_ADAPTER_FLAG_SOFTWARE)
                || (desc.VendorId == kMicrosoftVendor && desc.DeviceId == kBasicRenderDevice))
                name += QStringLiteral(" (WARP)");
        }
        adapter->Release();
    }
    factory->Release();
    return name;
}
#endif

} // namespace

void RenderSetup::prepareProcess()
{
#if defined(Q_OS_LINUX) && defined(__GLIBC__)
    // glibc's own variable still decides when it is set.
    if (qEnvironmentVariableIsEmpty("MALLOC_ARENA_MAX"))
        mallopt(M_ARENA_MAX, kMallocArenas);
#endif
}

bool RenderSetup::isSoftwareRenderer(const QString& name)
{
    static const QStringList kSoftware = {
        QStringLiteral("llvmpipe"),
        QStringLiteral("softpipe"),
        QStringLiteral("swrast"),
        QStringLiteral("software rasterizer"),
        QStringLiteral("SwiftShader"),
        QStringLiteral("GDI Generic"),
        QStringLiteral("Basic Render Driver"),
        QStringLiteral("(WARP)"),
    };
    for (const QString& s : kSoftware) {
        if (name.contains(s, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QString RenderSetup::chooseBackend()
{
    if (!qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND")
        || !qEnvironmentVariableIsEmpty("QMLSCENE_DEVICE"))
        return {};
    const QByteArray api = qgetenv("QSG_RHI_BACKEND").toLower();
    QString renderer;
#ifdef Q_OS_WIN
    // Direct3D 11 is Qt Quick's default there; OpenGL only when asked for.
    if (api.isEmpty() || api == "d3d11")
        renderer = direct3dAdapter();
    else if (api == "opengl")
        renderer = openGlRenderer();
#else
    if (api.isEmpty() || api == "opengl")
        renderer = openGlRenderer();
#endif
    if (isSoftwareRenderer(renderer)) {
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
        qCDebug(lcApp) << "software rasteriser" << renderer << "- Qt Quick's software backend";
    } else {
        qCDebug(lcApp) << "renderer" << renderer;
    }
    return renderer;
}

} // namespace gcs
