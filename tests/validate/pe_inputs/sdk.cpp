// A stand-in SDK library for Windows, built with no runtime; OLDER_SDK
// leaves out StartMatchmaking, as an older host's SDK would.
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
