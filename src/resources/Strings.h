#pragma once
// The string table: every message, label and help line of the program under a fixed number.
// Command help lines are numbered by their command; the messages without a number of their own
// are numbered from 2000 on.

#include <string>

enum StringId : int {
    kStrProductName = 1,
    kStrTitle = 2,
    kStrBlank = 14,
    kStrProjectExtension = 24,
    kStrDefaultEngineProgram = 37,
    // The Csound flags presets 0 to 3 of this platform; presets 4 to 14 are kStrBlank.
    kStrFlagsPresetAlsa = 38,
    kStrFlagsPresetJack = 39,
    kStrFlagsPresetAlsaDuplex = 40,
    kStrFlagsPresetJackDuplex = 41,
    kStrDefaultScriptEditor = 42,
    kStrDefaultScript1 = 48,
    kStrDefaultScript2 = 49,
    kStrOrganize = 87,
    kStrSnapshotName = 88,
    kStrTooManySnapshots = 89,
    kStrDefaultAudioFile = 90,
    kStrAudioFormatFirst = 106, // to 121: the 16 audio formats in index order
    kStrEnvironmentFilesTitle = 122,
    kStrForceTerminationWarning = 258,

    kStrMidiOutputError = 2000,
    kStrMidiInputError = 2001,
    kStrFirstExecution = 2002,
    kStrNoDevices = 2003,
    kStrRegistryCreateError = 2004,
    kStrRegistryWriteError = 2005,
    kStrDevicesReset = 2006,
    kStrDevicesResetError = 2007,
    kStrStatusIn = 2008,
    kStrStatusOut = 2009,
    kStrStatusNone = 2010,
    kStrFatalMidiStatus = 2011,
    kStrReady = 2012,
    // The frame: start-up, main window commands, the file chooser, the platform's programs.
    kStrRunProcessError = 2013,
    kStrClearPreferencesQuestion = 2014,
    kStrSelectFileTitle = 2015,
    kStrWebAddress = 2016,
    kStrReportAddress = 2017,
    kStrVolumeControlProgram = 2018,
    kStrDocumentOpener = 2019,
    kStrHelpFileMissing = 2020,
    kStrPathTooLong = 2021,

    // Projects: the file, the lifecycle, new projects and templates.
    kStrFileOpenError = 2100,
    kStrFileReadError = 2101,
    kStrInvalidProject = 2102,
    kStrFileCreateError = 2103,
    kStrFileWriteError = 2104,
    kStrNotSavedQuestion = 2105,
    kStrSliderLimitWarning = 2106,
    kStrWrongTemplateVersion = 2107,
    kStrTemplateNoMemory = 2108,
    kStrSampleExportError = 2109,
    kStrNewProjectTitle = 2110,
    kStrTemplatesTitle = 2111,
    kStrProjectFilesTitle = 2112,
    kStrNewSevenBitItem = 2113,
    kStrNewFourteenBitItem = 2114,
    kStrNewTemplateItem = 2115,
    kStrNewSevenBitDescription = 2116,
    kStrNewFourteenBitDescription = 2117,
    kStrNewTemplateDescription = 2118,
    kStrProjectNamePrefix = 2119,
    kStrTemplateDescriptionFirst = 2120, // to 2127: the template list, in table order
    // The panel, slider validation and snapshots.
    kStrNoSnapshots = 2300,
    kStrSliderNotFound = 2301,
    kStrSnapshotNotFound = 2302,
    kStrFieldEmpty = 2303,
    kStrNameInUse = 2304,
    kStrTooManyFourteenBit = 2305,
    kStrMinAboveMax = 2306,
    kStrCurrentOutOfRange = 2307,
    kStrController1InUse = 2308,
    kStrControllersSame = 2309,
    kStrController2InUse = 2310,
    kStrDeleteSnapshotQuestion = 2311,
    // The curve names, in curve order.
    kStrCurveLinear = 2312,
    kStrCurveLogarithmic = 2313,
    kStrCurveQuadratic = 2314,
    kStrCurveCubic = 2315,
    kStrCurveRandom = 2316,
    // The presets menu, in command order from 15001.
    kStrPresetReset = 2317,
    kStrPresetMaximize = 2318,
    kStrPresetHalf = 2319,
    kStrPresetLeftToRight = 2320,
    kStrPresetRightToLeft = 2321,
    kStrPresetTriangle = 2322,
    kStrPresetInverseTriangle = 2323,
    kStrPresetLowRandom = 2324,
    kStrPresetMediumRandom = 2325,
    kStrPresetHighRandom = 2326,
    // Controllers 120 to 127 are the channel mode messages: a slider there silences or resets.
    kStrChannelModeController = 2327,
    kStrNewPanelChannelMode = 2328,
    // Tool tips of the panel's controls that run no command of their own.
    kStrTipPresets = 2340,
    kStrTipResendAll = 2341,
    kStrTipRandom = 2342,
    kStrTipTakeSnapshot = 2343,
    kStrTipLockBox = 2344,
    kStrTipCurve = 2345, // followed by the curve's name
    // Scripts, the script editor and the sound engine settings.
    kStrScriptTooBig = 2500,
    kStrScriptCannotLoad = 2501,
    kStrScriptCannotSave = 2502,
    kStrNoScripts = 2503,
    kStrEditorOutOfSpace = 2504,
    kStrCannotPrint = 2505,
    kStrEngineExportError = 2506,
    kStrEngineCommandTooLong = 2507, // the limit and the length follow
    kStrEngineConsoleTitle = 2508,
    kStrEngineRunning = 2509,
    kStrEngineExitCode = 2510,   // followed by the code
    kStrEngineExitSignal = 2511, // followed by the signal's number
    // The MIDI tools.
    kStrScopeNoteOff = 2600,
    kStrScopeNoteOn = 2601,
    kStrScopeKeyAftertouch = 2602,
    kStrScopeControlChange = 2603,
    kStrScopeProgramChange = 2604,
    kStrScopeChannelAftertouch = 2605,
    kStrScopePitchBend = 2606,
    kStrScopeStopSignal = 2607,
    kStrScopeActiveSensing = 2608,
    kStrScopeUnknown = 2609,
    kStrScopeFilterItem = 2610,
    kStrScopeClearItem = 2611,
    kStrScopeTitle = 2612,
    // Find slider: the criteria in their list's order, then the dialog's texts.
    kStrFindByName = 2700, // to 2707
    kStrNoSlidersFound = 2708,
    kStrFindTitle = 2709,
    kStrFindCriteriaLabel = 2710,
    kStrFindResultsLabel = 2711,
    kStrFindClose = 2712,
    // The gesture window.
    kStrGestureTitleJoystick = 2720,
    kStrGestureTitle = 2721,
    kStrGestureClipMode = 2722,
    kStrGestureXLocked = 2723,
    kStrGestureYLocked = 2724,
    kStrGesturePosition = 2725, // the two fractions replace the two %s
    // The project manager.
    kStrManagerTitle = 2740,
    kStrManagerPanelBranch = 2741,
    kStrManagerSnapshotsBranch = 2742,
    kStrManagerTransitionsBranch = 2743,
    kStrManagerFilesBranch = 2744,
    kStrManagerSmallIcons = 2745,
    kStrManagerLargeIcons = 2746,
    kStrDeleteSliderQuestion = 2747,
    kStrLastSliderWarning = 2748,
    // The panel configuration.
    kStrPanelStatusRange = 2770,
    kStrPanelDataRange = 2771,
    kStrTooManySlidersWarning = 2773,
    kStrPanelConfigTitle = 2775,
    kStrScrollStepEntry = 2776, // with the step, 1 to 30
    // The preferences, "Special features!!" and About dialogs.
    kStrPreferencesTitle = 2800,
    kStrPageGlobal = 2801,
    kStrPageHelp = 2802,
    kStrPageEditor = 2803,
    kStrNoFlashOnExit = 2804,
    kStrSmallButtons = 2805,
    kStrCoolBar = 2806,
    kStrPanelToolTips = 2807,
    kStrBrowserLabel = 2808,
    kStrHelpFileLabel = 2809,
    kStrBrowse = 2810,
    kStrChangeFont = 2811,
    kStrSaveScriptsBeforeRun = 2812,
    kStrSpecialTitle = 2813,
    kStrDeleteAllSettings = 2814,
    kStrRealTimePriority = 2815,
    kStrNormalPriority = 2816,
    kStrLowPriority = 2817,
    kStrSettingsLeft = 2818,
    kStrAboutTitle = 2819,
    kStrBuildLabel = 2820,
    kStrCredits = 2821,
    kStrAboutWebLine = 2822,
    kStrAboutReportLine = 2823,
    kStrCreditsButton = 2824,
    kStrSystemInfoButton = 2825,
    kStrSystemInfoUnavailable = 2826,
    kStrSystemInfoProgramFirst = 2827, // to 2829: tried in this order
    // The audio recorder: its title, its buttons' tips, its lack of a device.
    kStrRecorderTitle = 2850,
    kStrRecorderRecordTip = 2851,
    kStrRecorderPlayTip = 2852,
    kStrRecorderPauseTip = 2853,
    kStrRecorderStopTip = 2854,
    kStrRecorderNoDevice = 2855,
    // Send MIDI message and the memory status.
    kStrSendMidiStatusRange = 2620,
    kStrSendMidiDataRange = 2621,
    kStrSendMidiChannel = 2622, // followed by the channel number
    kStrMemoryTimerError = 2623,
    kStrMemoryUnreadable = 2624,
    kStrMemoryNoSizes = 2625,
    // The device capabilities reports, line by line; %d, %ld and %s are filled in.
    kStrCapsNoDevice = 2660,
    kStrCapsManufacturer = 2661, // followed by kStrCapsNumber or kStrCapsUnknown
    kStrCapsProduct = 2662,
    kStrCapsNumber = 2663,
    kStrCapsUnknown = 2664,
    kStrCapsDriverVersion = 2665,
    kStrCapsName = 2666,
    kStrCapsTechnologyMidiPort = 2667, // to 2671: technologies 1 to 5 in order
    kStrCapsTechnologyOther = 2672,
    kStrCapsVoices = 2673,
    kStrCapsNotes = 2674,
    kStrCapsChannelMask = 2675,
    kStrCapsSupportNone = 2676,
    kStrCapsSupportVolume = 2677,
    kStrCapsSupportLrVolume = 2678,
    kStrCapsSupportCache = 2679,
    kStrCapsSupportStream = 2680,
    kStrCapsSupportOther = 2681,
    kStrCapsUnreadable = 2682, // followed by the platform's reason
    // The system exclusive scratchpad.
    kStrSysexInvalid = 2630,
    kStrSysexBankTooBig = 2631,
    kStrSysexCannotLoad = 2632,
    kStrSysexCannotSave = 2633,
    kStrSysexBankCut = 2634, // followed by the number of bytes left out
    kStrScratchPadTitle = 2635,
    kStrScratchPadGroup = 2636,
    kStrScratchPadTip = 2637,
    kStrScratchPadLoad = 2638,
    kStrScratchPadSave = 2639,
    kStrKeyboardMappingOn = 2650,
    kStrVelocityFeedback = 2651, // with the velocity
    kStrChannelFeedback = 2652,  // with the channel, 1 to 16
    // A bank named on the command line.
    kStrSysexBankNotOpened = 2900, // followed by the path
};

// The text of a string, or an empty text for a number the table does not hold.
const char* LoadResourceString(int id);

inline std::string Str(int id) {
    return LoadResourceString(id);
}
