#pragma once
// MIDI ports on a JACK server through one JACK client of our own, "Ventaro.2", which holds every
// JACK port of the program: "Output" and "Input", connected to the chosen port of another client,
// and the virtual ports "Ventaro.2" (seen as "Ventaro.2:Ventaro.2") and "Ventaro.2 input" that
// other clients connect to. They come into being with the first opening and stay until the
// program ends; closing takes back the connection the opening made. Messages keep their frame
// offsets, and thru between two ports of ours runs inside the process cycle.

#include <memory>
#include <string>

#include "midi/MidiPortBackend.h"

// Our client as it is now: opened on the first server that answers, and opened anew, with its
// ports, once its server went away and one runs again (a back end's Refresh). It never starts a
// server and never prints.
class JackMidiClient {
public:
    virtual ~JackMidiClient() = default;
    // True while a server answers our client.
    virtual bool Connected() const = 0;
};

// Our client, tried on a running server at once.
std::shared_ptr<JackMidiClient> MakeJackMidiClient();
// The MIDI ports of the other JACK clients, in the server's order, as full "client:port" names.
std::unique_ptr<MidiPortBackend> MakeJackPortBackend(std::shared_ptr<JackMidiClient> client);
// The virtual output and input, both listed as "Ventaro.2".
std::unique_ptr<MidiPortBackend> MakeJackVirtualBackend(std::shared_ptr<JackMidiClient> client);
