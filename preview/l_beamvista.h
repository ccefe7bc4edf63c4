// LBeamvista: the 3-D preview. One object owns the OpenGL window, the show list, the show stream,
// the sound, the background pictures, the parameter sets, the clocks, the overlays and the links
// to its host. Hosts (the view, the control) allocate it in a counted block, create its window in
// one of its placements, give it paths and a status callback, and drop it at the end.
//
// The class never touches the toolkit: its window is a NativeWindow, everything else of the window
// system comes from the current UiEnvironment. Each concern's members sit in a block of their own
// below, with their code in l_beamvista_<concern>.cpp.
#pragma once

#include "foundation/pictures/h_image.h"
#include "foundation/strings/xa_string.h"
#include "messaging/msg_receiver_ms.h"
#include "messaging/registry_from_ref.h"
#include "messaging/value_notify_msg_decoder.h"
#include "params/beamvista_pars.h"
#include "platform/gl/gl_surface.h"
#include "platform/native_window.h"
#include "platform/ui_command.h"
#include "platform/ui_environment.h"
#include "preview/beamvista_show_host.h"
#include "preview/driver_defaults.h"
#include "preview/fog_noise_store.h"
#include "preview/fog_progress_box.h"
#include "preview/font_atlas.h"
#include "preview/frame_clock.h"
#include "preview/frame_sequence.h"
#include "preview/l_beamvista_focus_listener.h"
#include "preview/l_beamvista_input_host.h"
#include "preview/l_beamvista_playback_callback.h"
#include "preview/laser_frame_renderer.h"
#include "preview/mouse_gestures.h"
#include "preview/parameter_change_plan.h"
#include "preview/picture_placement.h"
#include "preview/point_frame.h"
#include "preview/posted_frames.h"
#include "preview/render_batch.h"
#include "preview/settings_file.h"
#include "preview/show_playback.h"
#include "preview/status_reporter.h"
#include "preview/texture_slot.h"
#include "show/channel_frame_cache.h"
#include "show/l_laser_preview_bitmap.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CBeamvistaPlaybackDlg;
class GlSurface;
class LBeamvistaParameterDlg;
class LBeamvistaStatusCallback;
class LLaserPreviewStream;
class LValueNotifyMsg;

// Where the preview's sound goes and how its tracks are decoded; tests put fakes here.
struct LBeamvistaSound
{
    SoundDeviceOpener opener = OpenSoundDevice;
    LAudioPump::DecoderFactory decoders = MakeOggSoundDecoder;
};

class LBeamvista : public LMsgReceiverMS,
                   public LValueNotifyMsgDecoder,
                   public NativeWindowSink,
                   public UiTimerTarget,
                   public UiCommandTarget,
                   public LBeamvistaPlaybackCallback
{
  public:
    explicit LBeamvista(bool dspSelectionEnabled = false, LBeamvistaSound sound = {});
    ~LBeamvista() override;
    LBeamvista(const LBeamvista&) = delete;
    LBeamvista& operator=(const LBeamvista&) = delete;

    // --- The window object and its parameters -------------------------------------------------
    void BindParameters();
    bool Receive(LMsg& msg) override;
    void OnChanged(LValueNotifyMsg& msg) override;
    void OnDone(LValueNotifyMsg& msg) override;
    void OnParameterChange(LValueNotifyMsg& msg);
    void OnParameterChangeDone(LValueNotifyMsg& msg);
    // Per-channel defaults and the geometry that follow livePars_.
    void ResetChannelDefaults();
    bool ShowParameterDialog();
    bool ShowParameterDialogFor(UiWindowId owner);
    LBeamvistaParameterDlg* ParameterDialog() const { return parameterDialog_.get(); }
    const LBeamvistaPars& LivePars() const { return livePars_; }
    bool ParametersBound() const { return parametersBound_; }

    // --- OpenGL window and display --------------------------------------------------------------
    bool CreatePreviewWindow(NativeWindowKind kind, UiWindowId parent, const UiRect& rect);
    // rect null: the default placement.
    bool CreateAsPopup(UiWindowId parent, const UiRect* rect = nullptr);
    bool CreateAsChild(UiWindowId parent, const UiRect* rect = nullptr);
    bool CreateFullScreen(UiWindowId parent, int32_t width, int32_t height);
    bool RecreateWindow(bool fullScreen);
    bool Recreate();
    bool SetFullScreen(bool on);
    bool ToggleFullScreen();
    bool IsFullScreen() const { return fullScreen_; }
    bool SetClientSize(int32_t width, int32_t height);
    void ToggleCaptionFrame();
    bool IsTopMost();
    bool ToggleTopMost();
    bool CloseWindow(bool destroy);
    bool HasWindow() const;
    NativeWindow* Window() const { return window_.get(); }
    UiWindowId WindowId() const;
    // The window's id as other threads may read it.
    UiWindowId SharedWindow() const;
    GlSurface* Surface() const { return surface_.get(); }
    const UiRect& SavedRect() const { return savedRect_; }
    UiWindowId SavedParent() const { return savedParent_; }
    int32_t ViewportWidth() const { return viewportWidth_; }
    int32_t ViewportHeight() const { return viewportHeight_; }
    float AspectX() const { return aspectX_; }
    float AspectY() const { return aspectY_; }
    float PixelSize() const { return pixelSize_; }
    float HalfPixelX() const { return halfPixelX_; }
    float HalfPixelY() const { return halfPixelY_; }
    bool GlReady() const { return glReady_; }
    bool CreateGLContext();
    void ReleaseGLContext();
    bool MakeCurrent();
    void SetViewport(int32_t width, int32_t height);
    void ApplyGLState();
    virtual bool InitGL();
    // Runs before the GL context goes, while it is still current.
    virtual void BeforeGLContextRelease() {}
    bool ChangeDisplayMode(int32_t width, int32_t height, int32_t bits);
    bool RestoreDisplayMode();
    void SetName(const XAString& name);
    void UpdateTitle();
    const XAString& Title() const { return title_; }
    // The window's events.
    void OnSize(int32_t width, int32_t height) override;
    void OnMove() override;
    void OnCloseRequest() override;
    // A full-screen window that is hidden leaves full screen, whoever hid it.
    void OnShow(bool shown) override;
    void OnDestroyed() override;

    // --- Timer loop and frame clock -------------------------------------------------------------
    static constexpr uint32_t kTimerId = 1;
    static constexpr int32_t kTimerPeriodMs = 10;
    uint32_t StartTimer();
    bool StopTimer();
    bool TimerRunning() const { return timerId_ != 0; }
    void OnTimer(uint32_t id) override;
    void OnPaint() override;
    void Redraw();
    void AfterPaint();
    void RenderScene();
    // The scene into the bound framebuffer; the context is current.
    void DrawScene();
    void UpdateFrameClock(int32_t tick);
    int32_t OnClearRequest();
    void WakeCursor();
    void CheckCursorHide();
    virtual void AdvancePlayback();
    virtual void DrawInfoLines();
    virtual void DrawShowAndStatus();
    virtual void DrawTextOverlays();
    void FormatInfoPair(const char* label, float x, float y);
    // The timer decision: something still moves.
    bool TimerMustRun() const;
    // Centiseconds of the system clock, never 0 (0 marks "no time").
    static int32_t NowCs();
    int32_t SizeShownAt() const { return sizeShownAt_; }
    bool CursorHidden() const { return cursorHidden_; }
    int32_t ModalCount() const { return modalCount_; }
    void SetGlInfoLineCount(int32_t count) { glInfoLineCount_ = count; }
    void SetShowInfo(bool on);
    void SetShowTimecode(bool on);
    void SetShowLaserFps(bool on);
    void SetShowPcFps(bool on);
    bool ShowInfo() const { return showInfo_; }
    bool ShowTimecode() const { return showTimecode_; }
    bool ShowLaserFps() const { return showLaserFps_; }
    bool ShowPcFps() const { return showPcFps_; }
    const LFrameClock& FrameClock() const { return frameClock_; }
    const XAString& OverlayText() const { return overlayText_; }
    const XAString& OverlayText2() const { return overlayText2_; }
    const XAString& GlInfoLine1() const { return glInfoLine1_; }
    const XAString& GlInfoLine2() const { return glInfoLine2_; }

    // --- Show list and playback control ---------------------------------------------------------
    bool HasOpenShow() const;
    int32_t ShowCount() const;
    int32_t CurrentIndex() const;
    const XAString& CurrentPath() const;
    // need: the bytes a memory show still waits for (null when none are awaited).
    bool AddShow(const XAString& path, const XAString& data, int32_t dataInfo, int32_t* need, bool complete);
    bool OpenEntry(int32_t index, bool backwards, bool report, int32_t* need, bool complete);
    bool StepFile(bool next);
    bool CloseCurrentEntry();
    void CloseAll(bool dropPictures);
    // Paths from the command line and folders: collected, sorted and routed by extension.
    bool OpenPath(const XAString& path, bool replace);
    bool OpenCollected(std::vector<XAString> list, bool replace);
    // Shift or Ctrl held appends the dropped shows to the list; otherwise they replace it.
    void OnDropFiles(const std::vector<std::string>& paths) override;
    // The Open dialog; append keeps the list. False at once while a file dialog runs.
    bool OpenFileDialog(bool append);
    bool OpenDialogActive() const { return openDialogActive_; }
    bool Play() override;
    bool Pause() override;
    bool Stop() override;
    bool TogglePlayPause() override;
    bool IsPaused() const;
    bool Seek(int64_t time, bool absolute, bool clamp, bool keepPaused);
    // Bits: 1 beginning, 2 end, 4 forward, 8 backward; with 0x20 fast, with 0x40 one frame.
    bool Navigate(uint32_t flags);
    bool SeekToTime(int64_t time, bool keepPaused);
    bool SeekFraction(float fraction) override;
    // The open show's stream and the play position to draw it at; null while no show is open.
    LLaserPreviewStream* ShowStreamAt(int64_t& time);
    LShowPlayback& Playback() { return playback_; }
    const LShowPlayback& Playback() const { return playback_; }

    // --- Shows from memory (the control build) ---------------------------------------------------
    // Closes every show and opens the first size bytes of data (a download's buffer, shared);
    // threshold: how many bytes to wait for when that is too few. final: no more will come.
    bool OpenFromMemory(const XAString& name, const XAString& data, int32_t size, int32_t* threshold, bool final);
    // The open memory show grew to size bytes of data (negative: all of it); it reopens from
    // memory when there is none, when fewer bytes come than before, or when the stream cannot go on.
    bool FeedMoreData(const XAString& name, const XAString& data, int32_t size, int32_t* threshold, bool final);
    // Microseconds of show time now; -1 without an open show.
    int64_t GetPlayTimeUs();
    // Show time loaded ahead of the play time; -1 when unknown.
    int64_t GetBufferedTimeUs();
    // The control's download status, drawn over the picture while not empty.
    void SetStatusText(const XAString& text);
    const XAString& StatusText() const { return messageText_; }

    // --- Audio pump and playback clock ----------------------------------------------------------
    // Once per paint: sound, clocks, the hold of a growing show, the advance at a show's ends.
    void StepPlayback();
    // Puts the sound where the card plays now; flags set: silence until then.
    bool RestartSound(int32_t flags);
    bool SetMute(bool on);
    bool IsMuted() const;
    bool SteppingPlayback() const { return steppingPlayback_; }

    // --- Status and playback interfaces ---------------------------------------------------------
    // The host's callback (not owned); with a window the whole status goes to it at once.
    void SetStatusCallback(LBeamvistaStatusCallback* callback);
    LBeamvistaStatusCallback* StatusCallback() const { return status_.Callback(); }
    // Delivers at once while no timer runs, else after the tick.
    void NotifyStatus(uint32_t bits);
    void DeliverStatus();
    bool ShowPlaybackBar();
    CBeamvistaPlaybackDlg* PlaybackBar() const { return playbackBar_.get(); }
    // The playback bar and the host first, then the preview's own commands.
    bool OnCmdMsg(int32_t id, UiCommandCode code, UiCommandUpdate* update) override;
    bool Backward() override;
    bool Forward() override;
    bool PreviousFile() override;
    bool NextFile() override;
    bool ToggleMute() override;

    // --- Laser frame renderer -------------------------------------------------------------------
    bool HasSequenceFrames() const;
    void DrawUserPictures();
    void DrawTestPatterns();
    void DrawShowFrames();
    // A point list drawn as one channel's frame with the default table, its first cell showing
    // the look's picture rectangle.
    void DrawPointFrame(const LPic& points, const PointFrameLook& look);
    // The item at the sequence's cursor, after the last item's hold has passed; the cursor then
    // moves on, unless the right button steps the sequence by hand. False when the sequence had
    // nothing to draw.
    bool DrawSequenceFrame();
    void DrawPostedFrame();
    void DrawGlowMarks();
    void EmptyFrameSequence();
    // Moves the sequence's cursor, wrapping at both ends.
    void StepFrameSequence(int32_t items);
    const LFrameSequence& FrameSequence() const { return frameSequence_; }
    // The waiting and the current posted frame go.
    void DropPostedFrames();
    // The Clear command: no posted frame is drawn from the next paint on, which it asks for.
    void OnClear();
    const LaserFrameRenderer& Renderer() const { return renderer_; }

    // --- Text and overlays ----------------------------------------------------------------------
    // Colours as 0xBBGGRR. The shadow is drawn only while "0x9008" is on.
    TextBlockSize MeasureText(const XAString& text, bool shadow) const;
    // (x, y) in the plane: the lower left of the first line; later lines go down.
    void DrawText(float x, float y, const XAString& text, uint32_t colour, bool shadow);
    // Pixels from the left and top: the top of the first line.
    void DrawTextAt(int32_t px, int32_t py, const XAString& text, uint32_t colour, bool shadow);
    // Pixels from the left and bottom: the bottom of the last line.
    void DrawTextUp(int32_t px, int32_t py, const XAString& text, uint32_t colour, bool shadow);
    // Pixels from the right and bottom to the measured block's right and bottom.
    void DrawTextRight(int32_t px, int32_t py, const XAString& text, uint32_t colour, bool shadow);
    int32_t LineHeight() const;
    bool FontReady() const;
    const FontAtlas& Font() const { return fontAtlas_; }
    // The open show's file title and its play position ("Show-0.01.02.03"); empty without one.
    XAString ExportBaseName();

    // --- Textures -------------------------------------------------------------------------------
    static constexpr int32_t kTextureCount = 22;
    static constexpr int32_t kFontTexture = 1;
    static constexpr int32_t kGlowTexture = 2;
    static constexpr int32_t kFogTexture = 3;
    static constexpr int32_t kReservedTexture = 4;
    static constexpr int32_t kBeamProfileTexture = 5;
    static constexpr int32_t kShowPictureTexture = 6;  // 6..13: the open show's pictures
    static constexpr int32_t kUserPictureTexture = 14; // 14..21: the preview's picture slots
    void BuildAllTextures();
    // False for a kind out of range, without a ready context, or when the content fails.
    bool BuildTexture(int32_t kind);
    void ReloadAllBitmapTextures();
    void ReloadBitmapTexture(int32_t slot);
    void BuildShowPictureTextures();
    void DeleteShowPictureTextures();
    void DeleteTextures();
    // A kind whose texture is not ready binds none: that drawing goes untextured.
    void BindTexture(int32_t kind);
    bool FogTextureIs2d() const;
    const TextureSlot& Texture(int32_t kind) const { return textures_[static_cast<size_t>(kind)]; }
    // Set while a texture is built; the fog's progress box runs paints meanwhile.
    bool BuildingTexture() const { return buildingTexture_; }
    // Makes the progress box of a fog cube computation; none given: no box.
    void SetFogProgressFactory(FogNoiseStore::ProgressFactory factory) { fogProgress_ = std::move(factory); }

    // --- Graphics driver detection and defaults -------------------------------------------------
    // The six OpenGL switches of the set from the driver; nothing without a current context.
    void DetectDriverDefaults(LBeamvistaPars& set);
    void ApplyDriverDefaults();
    bool LoadOpenGlDefaults(bool detectWhenMissing);
    bool SaveOpenGlDefaults();

    // --- Keyboard and mouse ---------------------------------------------------------------------
    // A key of the preview's own window or handed on by its host: with Alt and without Ctrl it
    // is a system key. True when the preview took it.
    bool HandleKey(const UiKeyEvent& key);
    virtual bool HandleKeyDown(int32_t virtualKey, uint32_t modifiers);
    virtual bool HandleSysKeyDown(int32_t virtualKey, uint32_t modifiers);
    // Rotation 120 a notch, at a point on the screen; false outside the client area.
    virtual bool HandleMouseWheel(uint32_t modifiers, int32_t rotation, UiPoint screenPoint);
    bool OnKeyDown(const UiKeyEvent& key) override;
    void OnMouseButton(uint32_t button, bool down, bool doubleClick, const UiMouseEvent& event) override;
    void OnMouseMove(const UiMouseEvent& event) override;
    bool OnMouseWheel(int32_t rotation, const UiMouseEvent& event) override;
    void OnCaptureLost() override;
    void OnFocus(bool gained) override;
    // A window that is neither a child nor has a caption is dragged by its top border.
    FrameHit OnFrameHitTest(FrameHit standard) override;
    // Told when the full-screen window gains the focus and when it loses it again (not owned).
    void SetFocusListener(LBeamvistaFocusListener* listener) { focusListener_ = listener; }
    const LMouseGestures& Gestures() const { return gestures_; }
    // The I key: each modifier held toggles its own line and keeps the display on; without one
    // the display toggles.
    void ToggleInfoLines(uint32_t modifiers);

    // --- Commands, presets, clipboard and context menu ------------------------------------------
    // The picture as shown now (not presented), its top row first when asked; empty on failure.
    HImageRef RenderToImage(bool topRowFirst);
    // The shown picture as a BMP file in the size folder below the path's folder.
    bool SaveSnapshot(const XAString& path, int32_t width, int32_t height);
    // The same drawn at another size; the window keeps its own.
    bool SaveSnapshotAtSize(const XAString& path, int32_t width, int32_t height);
    // True when the picture reached the clipboard.
    bool CopyImage();
    // Copies, then empties background picture 1 once the copy is safe on the clipboard.
    bool CutImage();
    // The clipboard's picture becomes background picture 1.
    bool PasteImage();
    bool HasBackgroundImage() const;
    void CloseAllCommand();
    void SetShowSoundInfo(bool on);
    void SetShowLoadInfo(bool on);
    bool ShowSoundInfo() const { return showSoundInfo_; }
    bool ShowLoadInfo() const { return showLoadInfo_; }
    bool ShowContextMenu();
    // Checks, greys and removes the items of the context menu's popup; false for no menu.
    virtual bool UpdateContextMenu(UiMenu* menu);
    void ResetFog();
    void StepFog(float step);
    void ResetGraphics();
    void StepGraphics(float step);
    void ResetLineWidth();
    void StepLineWidth(float step);
    void ResetCloudMix();
    void StepCloudMix(float step);

    // --- Settings files, resets and background pictures -----------------------------------------
    void ChooseBackgroundImage(int32_t slot);
    void ResetParameters(bool fromFile, uint32_t groupMask);
    // An empty path asks for a parameter file; false when cancelled or failed.
    bool SaveSettingsFile(const XAString& path);
    bool LoadSettingsFile(const XAString& path);
    // The open show's own settings (empty: none) merged into the user's values.
    void SetFileParameters(const XAString& text);
    void ClearFileParameters();
    bool HasBackgroundPicture(int32_t slot) const;
    // slot -1: the first free one. bytes null: read the named file.
    bool LoadBackgroundImage(const XAString& name, int32_t slot, const XAString* bytes);
    // slot -1: the last one in use.
    bool RemoveBackgroundImage(int32_t slot);
    bool ExportPictures(bool allSizes);

  protected:
    // The driver defaults that the first context creation runs.
    virtual void RunStartupDriverDefaults();

    // --- The window object and its parameters -------------------------------------------------
    std::array<bool, kBeamvistaBackgroundCount> SlotsWithNamedPictures() const;
    void ApplyRebuild(const ParameterChangePlan& plan);
    struct WindowPlacement
    {
        NativeWindowKind kind = NativeWindowKind::Child;
        UiWindowId parent;
        UiRect rect;
    };
    // Where a re-creation puts the window; false without one.
    bool CurrentPlacement(bool fullScreen, WindowPlacement& placement);
    void RecreateWithPreviousGeneric(uint8_t previousGeneric, const WindowPlacement& placement);
    void RunOneShotActions(const ParameterChangePlan& plan);
    void RunPendingRebuild();

    bool dspSelectionEnabled_;
    bool parametersBound_ = false;
    LMsgRegistryFromRef parameterRef_;
    LBeamvistaPars livePars_;
    // At most one parameter dialog, made over the window it was asked for.
    std::shared_ptr<LBeamvistaParameterDlg> parameterDialog_;
    // A rebuild that found no current context, done at the next make-current.
    bool rebuildPending_ = false;

    // --- OpenGL window and display --------------------------------------------------------------
    static constexpr UiRect kDefaultPopupRect{64, 64, 384, 304};
    int32_t MonitorOfWindow() const;
    UiRect FullScreenRect(int32_t width, int32_t height);
    void RememberPlacement();
    void SetSharedWindow(UiWindowId window);

    std::unique_ptr<NativeWindow> window_;
    UiWindowId sharedWindow_;
    // Set while a context is made, when the driver defaults may change the rendering switch.
    bool creatingContext_ = false;
    bool recreateDeferred_ = false;
    std::unique_ptr<GlSurface> surface_;
    XAString baseTitle_;
    XAString title_;
    int32_t monitor_ = 0;
    bool displayModeChanged_ = false;
    bool fullScreen_ = false;
    UiRect savedRect_{64, 64, 384, 304};
    UiWindowId savedParent_;
    int32_t fullScreenWidth_ = 0;
    int32_t fullScreenHeight_ = 0;
    int32_t viewportWidth_ = 0;
    int32_t viewportHeight_ = 0;
    float aspectX_ = 1;
    float aspectY_ = 1;
    float pixelSize_ = 0;
    float halfPixelX_ = 0;
    float halfPixelY_ = 0;
    bool glReady_ = false;
    bool driverDefaultsDone_ = false;
    XAString glVendor_;
    XAString glRenderer_;
    XAString glVersion_;
    XAString glExtensions_;
    XAString glInfoLine1_;
    XAString glInfoLine2_;

    // --- Timer loop and frame clock -------------------------------------------------------------
    uint32_t timerId_ = 0;
    bool inTimer_ = false;
    bool cursorHidden_ = false;
    int32_t cursorHideAt_ = 0;
    int32_t modalCount_ = 0;
    LFrameClock frameClock_;
    int32_t sizeShownAt_ = 0;
    bool showInfo_ = false;
    bool showTimecode_ = true;
    bool showPcFps_ = false;
    bool showLaserFps_ = true;
    int32_t glInfoLineCount_ = 0;
    XAString overlayText_;
    XAString overlayText2_;
    XAString messageText_;

    // --- Show list and playback control ---------------------------------------------------------
    LBeamvistaShowHost showHost_{*this};
    LShowPlayback playback_;
    bool openDialogActive_ = false;

    // --- Audio pump and playback clock ----------------------------------------------------------
    bool steppingPlayback_ = false;

    // --- Status and playback interfaces ---------------------------------------------------------
    // Carries the preview's own commands out; false for the ids that are not its own.
    bool RunPreviewCommand(int32_t id);

    LStatusReporter status_;
    std::shared_ptr<CBeamvistaPlaybackDlg> playbackBar_;

    // --- Laser frame renderer -------------------------------------------------------------------
    // The renderer's scene: the live parameters, the viewport and the frame clock's drift.
    void PrepareRendererScene();
    // Hands what the batches recorded to OpenGL and empties them.
    void SubmitBatches();
    // Sleeps until the last item's hold has passed, if one is pending.
    void WaitForSequenceDeadline();
    // The clock's time cs centiseconds from now, as a deadline.
    static int32_t DeadlineAfter(int32_t cs);

    LaserFrameRenderer renderer_;
    RenderBatchBuilder batches_;
    LChannelFrameCache showFrames_;
    LFrameSequence frameSequence_;
    LPostedFrames postedFrames_;
    // Expires with the preview, so that work posted for it finds it gone.
    std::shared_ptr<const void> lifetime_ = std::make_shared<char>();

    // --- Graphics driver detection and defaults -------------------------------------------------
    // The current context's renderer name and widest line; none without a current context.
    std::optional<GlDriverInfo> CurrentDriver();

    // --- Textures -------------------------------------------------------------------------------
    bool MakeTextureContent(int32_t kind, TextureSlot& slot);
    bool BuildFogTexture(TextureSlot& slot);
    bool BuildPictureTexture(int32_t kind, TextureSlot& slot);
    bool BuildGlowTexture(TextureSlot& slot);
    bool BuildBeamProfileTexture(TextureSlot& slot);
    bool BuildFontTexture(TextureSlot& slot);
    bool ShadowDrawn(bool shadow) const;
    PictureValues SlotValues(int32_t slot) const;
    // slot: the background slot whose parameters may apply, -1 for none.
    void DrawPicture(int32_t kind, const LLaserPreviewBitmap& record, int32_t slot);
    void DrawShowPictures(const LLaserPreviewStream& stream);
    // The status lines of the open show, into overlayText_.
    void ComposeStatusText(LLaserPreviewStream& stream, int64_t time);

    FontAtlas fontAtlas_;
    // Built again once a computed cube was written, with the parameters of that moment.
    bool RebuildFogAfterCube();

    std::array<TextureSlot, kTextureCount> textures_{};
    bool buildingTexture_ = false;
    bool fogComputing_ = false;
    bool rebuildingFog_ = false;
    FogNoiseStore::ProgressFactory fogProgress_ = MakeFogProgressBox;

    // --- Keyboard and mouse ---------------------------------------------------------------------
    LBeamvistaInputHost inputHost_{*this};
    LMouseGestures gestures_{inputHost_};
    // Tells the focus listener that the focus went, when it was told that it came.
    void NotifyFocusLost();
    LBeamvistaFocusListener* focusListener_ = nullptr;
    bool focusNotified_ = false;

    // --- Commands, presets, clipboard and context menu ------------------------------------------
    // Sends a copy of livePars_ changed by `change` to the parameters.
    template <class Change> void ChangeLivePars(Change change);
    bool showSoundInfo_ = false;
    bool showLoadInfo_ = false;
    // The next number tried for a snapshot without a show; it only grows.
    int32_t exportCounter_ = 0;

    // --- Settings files, resets and background pictures -----------------------------------------
    bool PromptParameterFile(XAString& path, bool save);
    bool ReadSettingsFileAt(const XAString& path);

    LSettingsPictures pictures_;
    // Kept for parameter files only.
    LAviExportSettings aviSettings_;
    XAString fileParameterText_;
    LBeamvistaPars filePrevPars_;
    LBeamvistaPars filePars_;

    friend class LBeamvistaModalGuard;
    friend class LBeamvistaInputHost;
};
