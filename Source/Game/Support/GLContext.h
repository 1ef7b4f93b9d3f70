#pragma once

/// True while some GL context is current on this thread. Objects that outlive
/// every context (the process-wide model cache, released after the
/// application object at exit) check it before deleting anything.
bool GLContextIsCurrent();
