// A tiny stand-in for the host's SDK library, compiled for Windows with no
// runtime: one class with two members and a plain function, exported. With
// OLDER_SDK it lacks StartMatchmaking, as an older host's SDK would.
struct __declspec(dllexport) MatchmakingWrapper {
  void SetPlaylistSelection(int playlist, bool selected);
#if !defined(OLDER_SDK)
  void StartMatchmaking(int category);
#endif
  int playlist = 0;
};

void MatchmakingWrapper::SetPlaylistSelection(int selected, bool) { playlist = selected; }
#if !defined(OLDER_SDK)
void MatchmakingWrapper::StartMatchmaking(int category) { playlist += category; }
#endif

extern "C" __declspec(dllexport) int sdkVersion() { return 95; }
