// The one call the render engine makes into SDL, kept apart so that no file of
// the engine mixes SDL's C headers with the foundation's maths.
#pragma once

// A GL context is current on this thread.
bool RenderHaveContext();
