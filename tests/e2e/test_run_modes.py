"""A CPU benchmark and a custom-resolution benchmark through the real window."""

import harness
import run_support as rs
from harness import ID, E2ETestCase

CPU_LINES = [
    "demo_ai = 1", "demo_restart_level = 2", "demo_time_of_day = 8", "con_restricted = 0",
    "e_decals_allow_game_decals = 1", "e_decals_life_time_scale=2", "e_gsm_cache = 1", "e_obj_quality = 4",
    "e_particles_lod = 0.6", "e_particles_max_emitter_draw_screen = 16", "e_particles_object_collisions = 1",
    "e_particles_quality = 4", "e_particles_thread = 1", "e_phys_foliage = 2", "e_phys_ocean_cell = 0.4",
    "e_shadows = 0", "e_vegetation_use_terrain_color = 1", "es_DebrisLifetimeScale = 1.0", "es_MaxPhysDist = 60",
    "es_MaxPhysDistInvisible = 25", "gpu_particle_physics = 0", "g_battleDust_enable = 1",
    "g_breakage_particles_limit = 250", "g_godMode = 1", "i_unlimitedammo = 1", "i_rejecteffects = 1",
    "q_Renderer = 3", "r_displayinfo = 1", "r_GeomInstancing = 0", "r_HDRRendering = 0", "r_Nodrawnear = 0",
    "r_TexturesStreaming = 0", "r_UseEdgeAA = 0", "r_Usepom = 0", "r_UseSoftParticles = 1", "r_VSync = 0",
    "r_FSAA = 0", "r_MotionBlur = 3", "r_SunShafts = 0", "r_Reflections = 0", "sys_flash = 0", "s_DialogVolume = 0",
]


class CpuRunTest(E2ETestCase):
    def test_cpu_run_over_one_resolution(self):
        # Screenshots and filtering chosen for VGA runs must not reach a CPU run.
        sb = self.sandbox(settings={"1024": "1", "RunNumberCPU": "2", "ScreenShot": "1", "Frame": "850",
                                    "AFLevel": "3", "AALevel": "2", "Note": "", "DemoCPU": "1"})
        before = rs.Trees(sb)
        rs.start_and_choose(sb, ID.CPUButton)
        version = sb.ui_value("text", ID.Label17)
        sb.ui(("click", ID.BenchButton))
        self.assertEqual(rs.wait_for_message(sb), rs.SUCCESS)

        exe = '"' + sb.game_dir_win + 'Bin64\\Crysis.exe"'
        self.assertEqual(rs.commands(sb), [
            (f"{exe} -DEVMODE +map ice +demo benchmark_cpuice +r_Width 1024 +r_Height 768 +r_Fullscreen 1"
             " +demo_num_runs 2 +demo_quit 1 +s_SoundEnable 0 +s_MusicEnable 0").encode()])
        autoexec = (sb.game_dir / "Bin64" / "gamesim-autoexec.log").read_bytes()
        self.assertIn(("\r\n".join(CPU_LINES) + "\r\n").encode(), autoexec)

        reports = rs.report_files(sb)
        self.assertEqual(len(reports), 1)
        lines = rs.read_report(reports[0])
        rs.render_report(reports[0], self.artifacts / "report.png")
        system = rs.machine_values(lines)
        results = [m.groups() for m in map(rs.RESULT_PATTERN.fullmatch, lines) if m]
        self.assertEqual(len(results), 1)
        expected = rs.header_lines(system, version, system["started"], "", "CPU benchmark", "Crytek Ice", None)
        expected += ["<BR><B><FONT size=5>Resolution: 1024\u00d7768</FONT></B><BR>",
                     rs.result_line(1, *results[0][1:])] + rs.FOOTER
        self.assertEqual(lines, expected)
        self.assertEqual(list((sb.program_dir / "Benchmark").glob("*.jpg")), [])
        rs.close(sb)
        sb.stop_all()
        self.assertEqual(sb.settings().get("NoErrorWarning"), "0")
        # The user's own earlier screenshot stays where it was: a CPU run asks
        # the game for no screenshot, so there is nothing to keep.
        rs.assert_trees_back(self, sb, before)
        self.assertFalse((sb.program_dir / "ScreenShots").exists())


class CustomResolutionRunTest(E2ETestCase):
    def test_stored_custom_size_the_display_offers(self):
        sb = self.sandbox(settings={"CusRes": "1", "CusW": "1600", "CusH": "900", "RunNumber": "1", "Demo": "1",
                                    "Quality": "2", "AFLevel": "0", "AALevel": "0", "Renderer": "1"},
                          desktop="1920x1200")
        before = rs.Trees(sb)
        rs.start_and_choose(sb, ID.VGAButton)
        self.assertEqual(sb.ui_value("checked", ID.CusResBox), "1")
        sb.ui(("click", ID.BenchButton))
        self.assertEqual(rs.wait_for_message(sb), rs.SUCCESS)
        exe = '"' + sb.game_dir_win + 'Bin64\\Crysis.exe"'
        self.assertEqual(rs.commands(sb), [
            (f"{exe} -DEVMODE +map island +demo benchmark_gpu +r_Width 1600 +r_Height 900 +r_Fullscreen 1"
             " +demo_num_runs 1 +demo_quit 1 +s_SoundEnable 0 +s_MusicEnable 0 -DX9 +demo_time_of_day = 16"
             " r_Texture_Anisotropic_Level = 1 +r_FSAA = 0 +r_FSAA_samples = 0 +r_FSAA_quality = 0").encode()])
        report = rs.report_files(sb)[0]
        lines = rs.read_report(report)
        rs.render_report(report, self.artifacts / "report.png")
        self.assertIn("<BR><B><FONT size=5>Resolution: 1600 \u00d7 900 (Custom)</FONT></B><BR>", lines)
        heading = lines.index("<BR><B><FONT size=5>Resolution: 1600 \u00d7 900 (Custom)</FONT></B><BR>")
        self.assertRegex(lines[heading + 1], rs.RESULT_PATTERN.pattern)
        self.assertEqual(lines[heading + 2:], rs.FOOTER)
        rs.close(sb)
        sb.stop_all()
        rs.assert_trees_back(self, sb, before)
