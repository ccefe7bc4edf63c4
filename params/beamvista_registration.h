#pragma once
// Connecting the 132 preview parameter handlers to the message registry under their keys, once
// per process; until then they are reachable only through LBeamvistaPars.

class LMsgRegistryNode;

// Connects every handler under its key below the node given (the registry root for null) and
// turns their default marking on; later calls return at once. Once a registry base is set, the
// handlers then take the generic defaults with the user's stored OpenGL switches.
void RegisterBeamvistaParameters(LMsgRegistryNode* registry = nullptr);
bool BeamvistaParametersRegistered();
