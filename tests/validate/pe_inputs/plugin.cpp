// A tiny stand-in for a plugin, compiled for Windows with no runtime: it
// imports the SDK's members and function and exports an entry of its own.
// With DELAY_HELPER it also defines the delay-load helper a /delayload link
// needs, since it links no runtime library that would bring it.
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
