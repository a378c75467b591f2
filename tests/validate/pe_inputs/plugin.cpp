// A stand-in plugin for Windows, built with no runtime, importing the SDK's
// members and function; DELAY_HELPER brings the helper /delayload needs.
struct __declspec(dllimport) MatchmakingWrapper {
  void SetPlaylistSelection(int playlist, bool selected);
  void StartMatchmaking(int category);
  int playlist = 0;
};
extern "C" __declspec(dllimport) int sdkVersion();

extern "C" __declspec(dllexport) int queueOnce(MatchmakingWrapper *matchmaking) {
  matchmaking->SetPlaylistSelection(5, true);
  matchmaking->StartMatchmaking(1);
  return sdkVersion();
}

#if defined(DELAY_HELPER)
extern "C" void *__delayLoadHelper2(const void *, void *) { return nullptr; }
#endif
