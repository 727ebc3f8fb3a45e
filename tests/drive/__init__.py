"""What the end-to-end drivers of both builds share.

  x11        an X display: a virtual one of its own (Xvfb) or one given;
             finding a window, clicks, screenshots, reading text back (OCR)
  frame_ink  where the frame's texts leave ink and what shape a mark has
  builds     what differs between the English and the Russian build, and
             what the catalog of a build says the window must show
  verdict    checks and the verdict of a run

tests/e2e/linux_e2e.py drives the Linux build on an Xvfb of its own;
tests/windows/e2e_wine.py (with winesession.py) the Windows build under Wine.
Each keeps only what is its platform's own.
"""
