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

class JackMidiClient {
public:
    virtual ~JackMidiClient() = default;
    // True once the server went away (stopped, crashed, or dropped our client): the ports then
    // refuse every message and opening fails. What a lost server's report and reopening start
    // from; each open port keeps the name of the port it was connected to.
    virtual bool ServerLost() const = 0;
    // The server's own words for why, when it gave any.
    virtual std::string LostReason() const = 0;
};

// Our client, when a JACK server runs and answers; null otherwise. It never starts a server and
// never prints: this is the program's probe for JACK as well.
std::shared_ptr<JackMidiClient> OpenJackMidiClient();
// The MIDI ports of the other JACK clients, in the server's order, as full "client:port" names.
std::unique_ptr<MidiPortBackend> MakeJackPortBackend(std::shared_ptr<JackMidiClient> client);
// The virtual output and input, both listed as "Ventaro.2".
std::unique_ptr<MidiPortBackend> MakeJackVirtualBackend(std::shared_ptr<JackMidiClient> client);
