#include "app/startup.h"

#include "app/args.h"

StartupFailure startUp(const WindowOptions& options, const std::function<void()>& onContext,
                       SceneBuildObserver* buildObserver, Startup& out, std::string& error) {
    if (!openWindow(options, out.window, error)) return StartupFailure::Window;
    if (onContext) onContext();
    if (!checkGlRequirements(error) || !checkWindowSizeLimits(options.width, options.height, error))
        return StartupFailure::GlRequirements;
    // Loads every shader, model and texture and builds the render targets.
    out.scene.emplace(options.width, options.height, buildObserver);
    if (out.scene->renderTargetsOutOfMemory) {
        error = renderTargetMemoryMessage(options.width, options.height);
        return StartupFailure::TargetMemory;
    }
    return StartupFailure::None;
}
