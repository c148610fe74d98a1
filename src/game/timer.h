// A millisecond stopwatch over the platform clock; the song loop paces its frames with one.
#pragma once
#include <SDL.h>

class Timer {
  public:
    Timer();
    void start();
    void stop();
    void pause();
    void unpause();
    int get_ticks() const; // 0 when stopped; frozen while paused
    bool is_started() const { return started_flag; }
    bool is_paused() const { return paused_flag; }

  private:
    Sint32 start_mark;     // clock value at which the running period began
    Sint32 paused_elapsed; // elapsed ms frozen at the pause; 0 when not paused
    bool paused_flag;
    bool started_flag;
};

// The frame timer, constructed at start-up.
extern Timer *frame_timer;
