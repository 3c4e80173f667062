#pragma once

namespace namlex {

// Shows how far a rename run has got and lets the user stop it.
class RunProgress
{
public:
    virtual ~RunProgress() = default;
    // A run over `total` entries begins.
    virtual void begin(int total) = 0;
    // `visited` entries are done; false when the user asked to stop.
    virtual bool advance(int visited) = 0;
    // The run is over, finished, stopped or ended by an answer.
    virtual void end() = 0;
    // A box is open from pause() to resume(): time spent answering is no
    // renaming time.
    virtual void pause() = 0;
    virtual void resume() = 0;
};

} // namespace namlex
