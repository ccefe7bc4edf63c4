// Which deliverable runs the shared libraries: the standalone player or the plug-in control. Its
// entry point sets it once at start; the few places where the control behaves differently ask it.
#pragma once

enum class DeliverableKind { Player, Control };

// Player until an entry point says otherwise.
DeliverableKind CurrentDeliverableKind();
void SetDeliverableKind(DeliverableKind kind);
