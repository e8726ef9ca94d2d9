<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AboutDialog</name>
    <message>
        <location filename="../../aboutdialog/aboutdialog.ui" line="8"/>
        <source>关于Vellumo</source>
        <translation>About Vellumo</translation>
    </message>
    <message>
        <location filename="../../aboutdialog/aboutdialog.ui" line="35"/>
        <source>&lt;h2&gt;Vellumo&lt;/h2&gt;</source>
        <translation>&lt;h2&gt;Vellumo&lt;/h2&gt;</translation>
    </message>
    <message>
        <location filename="../../aboutdialog/aboutdialog.ui" line="41"/>
        <source>版本: 1.0.0.03</source>
        <translation>Version: 1.0.0.03</translation>
    </message>
    <message>
        <location filename="../../aboutdialog/aboutdialog.ui" line="47"/>
        <source>高效批量图片处理工具，支持裁剪、滤镜、水印等丰富功能。</source>
        <translation>Efficient batch image processing tool with rich features including cropping, filters, watermarks, and more.</translation>
    </message>
    <message>
        <location filename="../../aboutdialog/aboutdialog.ui" line="54"/>
        <source>&lt;a href=&quot;https://www.vellumo.app&quot;&gt;访问官方网站&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;https://www.vellumo.app&quot;&gt;Visit Official Website&lt;/a&gt;</translation>
    </message>
    <message>
        <location filename="../../aboutdialog/aboutdialog.ui" line="62"/>
        <source>© 2026 Orvantis. 保留所有权利。</source>
        <translation>© 2026 Orvantis.
All rights reserved.</translation>
    </message>
</context>
<context>
    <name>CompletionDialog</name>
    <message>
        <location filename="../../mainwindow/completiondialog.cpp" line="24"/>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <location filename="../../mainwindow/completiondialog.cpp" line="24"/>
        <source>结果</source>
        <translation>Result</translation>
    </message>
    <message>
        <location filename="../../mainwindow/completiondialog.cpp" line="24"/>
        <source>原因</source>
        <translation>Reason</translation>
    </message>
    <message>
        <location filename="../../mainwindow/completiondialog.cpp" line="37"/>
        <source>未正常写入的文件</source>
        <translation>Files not simply written</translation>
    </message>
    <message>
        <location filename="../../mainwindow/completiondialog.cpp" line="83"/>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <location filename="../../mainwindow/completiondialog.cpp" line="85"/>
        <source>保存…</source>
        <translation>Save…</translation>
    </message>
    <message>
        <location filename="../../mainwindow/completiondialog.cpp" line="93"/>
        <source>打开输出文件夹</source>
        <translation>Open Output Folder</translation>
    </message>
    <message>
        <location filename="../../mainwindow/completiondialog.cpp" line="109"/>
        <source>失败</source>
        <translation>Failed</translation>
    </message>
    <message>
        <location filename="../../mainwindow/completiondialog.cpp" line="111"/>
        <source>跳过</source>
        <translation>Skipped</translation>
    </message>
    <message>
        <location filename="../../mainwindow/completiondialog.cpp" line="113"/>
        <location filename="../../mainwindow/completiondialog.cpp" line="145"/>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <location filename="../../mainwindow/completiondialog.cpp" line="119"/>
        <source>已写入</source>
        <translation>Written</translation>
    </message>
    <message>
        <location filename="../../mainwindow/completiondialog.cpp" line="139"/>
        <source>保存报告</source>
        <translation>Save Report</translation>
    </message>
    <message>
        <location filename="../../mainwindow/completiondialog.cpp" line="139"/>
        <source>文本文件 (*.txt)</source>
        <translation>Text files (*.txt)</translation>
    </message>
    <message>
        <location filename="../../mainwindow/completiondialog.cpp" line="145"/>
        <source>无法保存报告：%1（%2）</source>
        <translation>Cannot save the report: %1 (%2)</translation>
    </message>
</context>
<context>
    <name>ImageListPanel</name>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="134"/>
        <location filename="../../mainwindow/optionform.cpp" line="337"/>
        <source>图片文件 (%1)</source>
        <translation>Image files (%1)</translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="135"/>
        <source>所有文件 (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="136"/>
        <source>选择图片文件</source>
        <translation>Select Image Files</translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="203"/>
        <source>添加图片…</source>
        <translation>Add Images…</translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="204"/>
        <source>添加文件夹…</source>
        <translation>Add Folder…</translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="205"/>
        <source>移除所选</source>
        <translation>Remove Selected</translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="206"/>
        <source>清空列表</source>
        <translation>Clear List</translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="207"/>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="208"/>
        <source>把图片或文件夹拖到这里，
或点击“添加图片”“添加文件夹”</source>
        <translation>Drop pictures or folders here,
or click “Add Images” or “Add Folder”</translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="209"/>
        <source>拖入图片或文件夹即可添加；右键可添加、移除、清空或撤销</source>
        <translation>Drop pictures or folders to add them; right-click to add, remove, clear or undo</translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="391"/>
        <source>无法处理：%1</source>
        <translation>Cannot be processed: %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="397"/>
        <source>已写入</source>
        <translation>Written</translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="400"/>
        <source>已写入，有警告：%1</source>
        <translation>Written, with warnings: %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="403"/>
        <source>处理失败：%1</source>
        <translation>Failed: %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="406"/>
        <source>已跳过：%1</source>
        <translation>Skipped: %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="210"/>
        <source>图片列表</source>
        <translation>Image list</translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="223"/>
        <source>添加文件夹</source>
        <translation>Add Folder</translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="394"/>
        <source>注意：%1</source>
        <translation>Note: %1</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="8"/>
        <source>批量图片处理工具</source>
        <translation>Batch Image Processing Tool</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="114"/>
        <location filename="../../mainwindow/accessibility.cpp" line="52"/>
        <source>Vellumo</source>
        <translation>Vellumo</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="167"/>
        <source>添加图片</source>
        <translation>Add Images</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="172"/>
        <source>添加文件夹</source>
        <translation>Add Folder</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="189"/>
        <source>输出目录</source>
        <translation>Output Directory</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="202"/>
        <source>基本处理选项</source>
        <translation>Basic Processing Options</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="226"/>
        <source>宽度:</source>
        <translation>Width:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="239"/>
        <source>高度:</source>
        <translation>Height:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="346"/>
        <source>保持宽高比</source>
        <translation>Maintain Aspect Ratio</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="352"/>
        <source>裁剪</source>
        <translation>Crop</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="357"/>
        <source>不放大小图</source>
        <translation>Don&apos;t enlarge</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="362"/>
        <source>输出格式:</source>
        <translation>Output Format:</translation>
    </message>
    <message>
        <location filename="../../processing/formats/formattable.cpp" line="10"/>
        <source>JPG</source>
        <translation>JPG</translation>
    </message>
    <message>
        <location filename="../../processing/formats/formattable.cpp" line="26"/>
        <source>PNG</source>
        <translation>PNG</translation>
    </message>
    <message>
        <location filename="../../processing/formats/formattable.cpp" line="28"/>
        <source>BMP</source>
        <translation>BMP</translation>
    </message>
    <message>
        <location filename="../../processing/formats/formattable.cpp" line="30"/>
        <source>WEBP</source>
        <translation>WEBP</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="372"/>
        <source>质量:</source>
        <translation>Quality:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="385"/>
        <source>预设:</source>
        <translation>Preset:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="395"/>
        <source>管理…</source>
        <translation>Manage…</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="400"/>
        <source>预览</source>
        <translation>Preview</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="416"/>
        <source>开始处理</source>
        <translation>Start Processing</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="439"/>
        <source>尺寸和角度预设</source>
        <translation>Size and Angle Presets</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="443"/>
        <source>宽高比:</source>
        <translation>Aspect Ratio:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="455"/>
        <source>标准尺寸:</source>
        <translation>Standard Sizes:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="471"/>
        <source>垂直翻转</source>
        <translation>Flip Vertically</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="476"/>
        <source>水平翻转</source>
        <translation>Flip Horizontally</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="481"/>
        <source>旋转角度:</source>
        <translation>Rotation Angle:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="567"/>
        <source>色彩调整</source>
        <translation>Color Adjustment</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="571"/>
        <source>对比度:</source>
        <translation>Contrast:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="585"/>
        <location filename="../../mainwindow/mainwindow.ui" line="623"/>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="590"/>
        <source>饱和度:</source>
        <translation>Saturation:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="604"/>
        <source>100</source>
        <translation>100</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="609"/>
        <source>亮度:</source>
        <translation>Brightness:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="631"/>
        <source>滤镜</source>
        <translation>Filters</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="635"/>
        <source>滤镜:</source>
        <translation>Filter:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="772"/>
        <source>不透明度:</source>
        <translation>Opacity:</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="43"/>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="44"/>
        <source>模糊</source>
        <translation>Blur</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="45"/>
        <source>灰度</source>
        <translation>Grayscale</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="46"/>
        <source>复古</source>
        <translation>Vintage</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="48"/>
        <source>边缘检测</source>
        <translation>Edge Detection</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="49"/>
        <source>浮雕</source>
        <translation>Emboss</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="51"/>
        <source>油画</source>
        <translation>Oil Painting</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="645"/>
        <source>强度:</source>
        <translation>Intensity:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="661"/>
        <source>水印设置</source>
        <translation>Watermark Settings</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="665"/>
        <source>添加水印</source>
        <translation>Add Watermark</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="673"/>
        <source>水印文字:</source>
        <translation>Watermark Text:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="691"/>
        <location filename="../../mainwindow/mainwindow.ui" line="907"/>
        <source>颜色:</source>
        <translation>Color:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="696"/>
        <location filename="../../mainwindow/mainwindow.ui" line="912"/>
        <source>选择颜色</source>
        <translation>Select Color</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="733"/>
        <source>字体大小:</source>
        <translation>Font Size:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="701"/>
        <location filename="../../mainwindow/mainwindow.ui" line="838"/>
        <source>位置:</source>
        <translation>Position:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="883"/>
        <source>边框设置</source>
        <translation>Border Settings</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="887"/>
        <source>添加边框</source>
        <translation>Add Border</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="894"/>
        <source>边框厚度:</source>
        <translation>Border Thickness:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="928"/>
        <source>批量效果</source>
        <translation>Batch Effects</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="932"/>
        <source>自动增强</source>
        <translation>Auto Enhance</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="937"/>
        <source>通道提取</source>
        <translation>Channel Extraction</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="946"/>
        <source>网格分割</source>
        <translation>Grid Split</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="951"/>
        <source>行数:</source>
        <translation>Rows:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="964"/>
        <source>列数:</source>
        <translation>Columns:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="983"/>
        <source>批量重命名</source>
        <translation>Batch Rename</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="988"/>
        <source>前缀:</source>
        <translation>Prefix:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="994"/>
        <source>image</source>
        <translation>image</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1029"/>
        <source>元数据</source>
        <translation>Metadata</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1051"/>
        <source>作者:</source>
        <translation>Artist:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1057"/>
        <location filename="../../mainwindow/mainwindow.ui" line="1068"/>
        <source>留空则保持原样</source>
        <translation>Empty keeps the input&apos;s</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1062"/>
        <source>版权:</source>
        <translation>Copyright:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="999"/>
        <source>输出文件已存在时：</source>
        <translation>If the output exists:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="25"/>
        <source>简体中文</source>
        <translation>简体中文</translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="26"/>
        <source>繁體中文</source>
        <translation>繁體中文</translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="27"/>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="58"/>
        <location filename="../../mainwindow/applicationmenu.cpp" line="78"/>
        <source>一键重置</source>
        <translation>One-click Reset</translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="59"/>
        <source>关于Vellumo</source>
        <translation>About Vellumo</translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="60"/>
        <location filename="../../mainwindow/applicationmenu.cpp" line="80"/>
        <location filename="../../mainwindow/applicationmenu.cpp" line="93"/>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="79"/>
        <source>关于我们</source>
        <translation>About Us</translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="94"/>
        <source>&lt;p&gt;&lt;b&gt;使用方法&lt;/b&gt;&lt;/p&gt;&lt;ol&gt;&lt;li&gt;点击“添加图片”或“添加文件夹”，或把图片、文件夹拖到列表中。&lt;/li&gt;&lt;li&gt;在“基本设置”和“高级设置”中选择处理方式；鼠标停在选项上可看到说明。&lt;/li&gt;&lt;li&gt;点击“输出目录”选择保存位置，再点击“开始处理”（Ctrl+Enter）。&lt;/li&gt;&lt;/ol&gt;&lt;p&gt;列表用标记说明每个文件的结果：无法处理、已写入、有警告、失败或已跳过；鼠标停在文件上可看到原因。Ctrl+Z 撤销移除或清空。处理中按 Esc 停止，正在写入的文件会写完。&lt;/p&gt;&lt;p&gt;输入文件从不被覆盖；输出目录中以前处理生成的文件不会再被处理。&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;How to use Vellumo&lt;/b&gt;&lt;/p&gt;&lt;ol&gt;&lt;li&gt;Click “Add Images” or “Add Folder”, or drop pictures and folders onto the list.&lt;/li&gt;&lt;li&gt;Choose what to do on the “Basic settings” and “Advanced settings” pages; rest the mouse on an option to see what it does.&lt;/li&gt;&lt;li&gt;Click “Output Directory” to choose where the results go, then “Start Processing” (Ctrl+Enter).&lt;/li&gt;&lt;/ol&gt;&lt;p&gt;A mark on each file in the list tells what became of it: cannot be processed, written, warned, failed or skipped; rest the mouse on the file to see why. Ctrl+Z takes back a removal or clearing. Esc stops a run; files being written are finished.&lt;/p&gt;&lt;p&gt;Inputs are never overwritten; files an earlier run wrote into the output directory are not processed again.&lt;/p&gt;</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="186"/>
        <source>选择输出目录</source>
        <translation>Select Output Directory</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="219"/>
        <source>图片正在处理中。退出将停止处理：正在写入的文件会写完，其余的不再处理。确定要退出Vellumo吗？</source>
        <translation>Images are being processed. Exiting stops the run: files being written are finished, the rest are not processed. Are you sure you want to exit Vellumo?</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="222"/>
        <source>确认退出</source>
        <translation>Confirm Exit</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="220"/>
        <source>确定要退出Vellumo吗？</source>
        <translation>Are you sure you want to exit Vellumo?</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="56"/>
        <source>原始比例</source>
        <translation>Original Ratio</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="57"/>
        <source>1:1 (正方形)</source>
        <translation>1:1 (Square)</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="58"/>
        <source>4:3</source>
        <translation>4:3</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="59"/>
        <source>16:9</source>
        <translation>16:9</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="60"/>
        <source>3:2</source>
        <translation>3:2</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="65"/>
        <source>自定义</source>
        <translation>Custom</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="66"/>
        <source>640x480 (VGA)</source>
        <translation>640x480 (VGA)</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="67"/>
        <source>800x600 (SVGA)</source>
        <translation>800x600 (SVGA)</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="69"/>
        <source>1024x768 (XGA)</source>
        <translation>1024x768 (XGA)</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="71"/>
        <source>1280x720 (HD)</source>
        <translation>1280x720 (HD)</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="73"/>
        <source>1920x1080 (Full HD)</source>
        <translation>1920x1080 (Full HD)</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="75"/>
        <source>1080x1080 (Instagram)</source>
        <translation>1080x1080 (Instagram)</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="77"/>
        <source>1200x1200</source>
        <translation>1200x1200</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="83"/>
        <source>左上角</source>
        <translation>Top Left</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="84"/>
        <source>右上角</source>
        <translation>Top Right</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="85"/>
        <source>左下角</source>
        <translation>Bottom Left</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="86"/>
        <source>右下角</source>
        <translation>Bottom Right</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="87"/>
        <source>中心</source>
        <translation>Center</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="112"/>
        <source>红色通道</source>
        <translation>Red Channel</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="113"/>
        <source>绿色通道</source>
        <translation>Green Channel</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="114"/>
        <source>蓝色通道</source>
        <translation>Blue Channel</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="115"/>
        <source>青色通道</source>
        <translation>Cyan Channel</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="116"/>
        <source>洋红通道</source>
        <translation>Magenta Channel</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="117"/>
        <source>黄色通道</source>
        <translation>Yellow Channel</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="121"/>
        <source>替换</source>
        <translation>Replace</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="122"/>
        <source>改名保存</source>
        <translation>Rename</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="123"/>
        <source>跳过</source>
        <translation>Skip</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="128"/>
        <source>全部保留</source>
        <translation>Keep all</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="129"/>
        <source>去除位置信息</source>
        <translation>Remove location</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="131"/>
        <source>全部去除</source>
        <translation>Remove all</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="136"/>
        <source>写出时间</source>
        <translation>When written</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="137"/>
        <source>原文件修改时间</source>
        <translation>Input&apos;s modified time</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="138"/>
        <source>拍摄时间</source>
        <translation>Date taken</translation>
    </message>
    <message>
        <location filename="../../mainwindow/reset.cpp" line="20"/>
        <source>确认重置</source>
        <translation>Confirm Reset</translation>
    </message>
    <message>
        <location filename="../../mainwindow/reset.cpp" line="20"/>
        <source>确定要将应用程序重置为初始状态吗？所有设置都将被清除。</source>
        <translation>Are you sure you want to reset the application to its initial state? All settings will be cleared.</translation>
    </message>
    <message>
        <location filename="../../mainwindow/reset.cpp" line="33"/>
        <source>重置完成</source>
        <translation>Reset Completed</translation>
    </message>
    <message>
        <location filename="../../mainwindow/reset.cpp" line="33"/>
        <source>应用程序已重置为初始状态。</source>
        <translation>The application has been reset to its initial state.</translation>
    </message>
    <message>
        <location filename="../../mainwindow/accessibility.cpp" line="53"/>
        <source>基本设置</source>
        <translation>Basic settings</translation>
    </message>
    <message>
        <location filename="../../mainwindow/accessibility.cpp" line="54"/>
        <source>高级设置</source>
        <translation>Advanced settings</translation>
    </message>
    <message>
        <location filename="../../mainwindow/accessibility.cpp" line="55"/>
        <source>菜单</source>
        <translation>Menu</translation>
    </message>
    <message>
        <location filename="../../mainwindow/accessibility.cpp" line="56"/>
        <source>最小化</source>
        <translation>Minimize</translation>
    </message>
    <message>
        <location filename="../../mainwindow/accessibility.cpp" line="57"/>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <location filename="../../mainwindow/accessibility.cpp" line="58"/>
        <source>水印颜色</source>
        <translation>Watermark colour</translation>
    </message>
    <message>
        <location filename="../../mainwindow/accessibility.cpp" line="59"/>
        <source>边框颜色</source>
        <translation>Border colour</translation>
    </message>
    <message>
        <location filename="../../mainwindow/accessibility.cpp" line="60"/>
        <source>添加图片 (Ctrl+O)</source>
        <translation>Add Images (Ctrl+O)</translation>
    </message>
    <message>
        <location filename="../../mainwindow/accessibility.cpp" line="61"/>
        <source>添加文件夹 (Ctrl+Shift+O)</source>
        <translation>Add Folder (Ctrl+Shift+O)</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1010"/>
        <source>保留文件夹结构</source>
        <translation>Keep folder structure</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1015"/>
        <source>名称模板:</source>
        <translation>Name template:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1103"/>
        <location filename="../../processing/formats/formattable.cpp" line="9"/>
        <source>与输入相同</source>
        <translation>Same as input</translation>
    </message>
    <message>
        <location filename="../../processing/formats/formattable.cpp" line="32"/>
        <source>TIFF</source>
        <translation>TIFF</translation>
    </message>
    <message>
        <location filename="../../processing/formats/formattable.cpp" line="34"/>
        <source>AVIF</source>
        <translation>AVIF</translation>
    </message>
    <message>
        <location filename="../../processing/formats/formattable.cpp" line="35"/>
        <source>HEIC</source>
        <translation>HEIC</translation>
    </message>
    <message>
        <location filename="../../processing/formats/formattable.cpp" line="37"/>
        <source>JXL</source>
        <translation>JXL</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="206"/>
        <source>尺寸方式:</source>
        <translation>Size by:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="266"/>
        <source>长边:</source>
        <translation>Long edge:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="275"/>
        <location filename="../../mainwindow/mainwindow.ui" line="303"/>
        <location filename="../../mainwindow/mainwindow.ui" line="535"/>
        <source> px</source>
        <translation> px</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="294"/>
        <source>短边:</source>
        <translation>Short edge:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="322"/>
        <source>比例:</source>
        <translation>Scale:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="331"/>
        <location filename="../../mainwindow/mainwindow.ui" line="520"/>
        <location filename="../../mainwindow/mainwindow.ui" line="763"/>
        <location filename="../../mainwindow/mainwindow.ui" line="833"/>
        <location filename="../../mainwindow/mainwindow.ui" line="859"/>
        <location filename="../../mainwindow/mainwindow.ui" line="873"/>
        <source> %</source>
        <translation> %</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="497"/>
        <source>缩放与锐化</source>
        <translation>Scaling and Sharpening</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="501"/>
        <source>缩放算法:</source>
        <translation>Resampling:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="512"/>
        <source>锐化:</source>
        <translation>Sharpen:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="521"/>
        <source>不锐化</source>
        <translation>Off</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="526"/>
        <source>半径:</source>
        <translation>Radius:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="540"/>
        <source>阈值:</source>
        <translation>Threshold:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="553"/>
        <source>网页锐化</source>
        <translation>Web Sharpening</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="97"/>
        <source>平滑</source>
        <translation>Smooth</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="98"/>
        <source>Lanczos 3 (细节清晰)</source>
        <translation>Lanczos 3 (Crisp Detail)</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="99"/>
        <source>双线性</source>
        <translation>Bilinear</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="100"/>
        <source>最近邻</source>
        <translation>Nearest Neighbor</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="105"/>
        <source>宽 × 高</source>
        <translation>Width × Height</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="106"/>
        <source>长边</source>
        <translation>Long Edge</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="107"/>
        <source>短边</source>
        <translation>Short Edge</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="108"/>
        <source>百分比</source>
        <translation>Percentage</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1114"/>
        <source>WebP 无损</source>
        <translation>Lossless WebP</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1119"/>
        <source>PNG 压缩级别:</source>
        <translation>PNG compression level:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1126"/>
        <source>按质量</source>
        <translation>From quality</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1131"/>
        <source>JPEG XL 无损</source>
        <translation>Lossless JPEG XL</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1136"/>
        <source>JPEG XL 编码力度:</source>
        <translation>JPEG XL effort:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1076"/>
        <source>格式选项</source>
        <translation>Format options</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1033"/>
        <source>元数据:</source>
        <translation>Metadata:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1042"/>
        <source>文件日期:</source>
        <translation>File date:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1080"/>
        <source>渐进式 JPEG</source>
        <translation>Progressive JPEG</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1085"/>
        <source>JPEG 色度采样:</source>
        <translation>JPEG chroma subsampling:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1096"/>
        <source>分辨率:</source>
        <translation>Resolution:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1102"/>
        <source> dpi</source>
        <translation> dpi</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="754"/>
        <source>文字高度:</source>
        <translation>Text height:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="713"/>
        <source>大小单位:</source>
        <translation>Size unit:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="686"/>
        <source>文字中可用: {artist} {copyright} {date} {name}</source>
        <translation>In the text: {artist} {copyright} {date} {name}</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="798"/>
        <source>标志水印</source>
        <translation>Logo</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="802"/>
        <source>添加标志</source>
        <translation>Add logo</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="810"/>
        <source>标志文件:</source>
        <translation>Logo file:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="819"/>
        <source>选择文件…</source>
        <translation>Choose file…</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="824"/>
        <source>标志宽度:</source>
        <translation>Logo width:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="850"/>
        <source>边距:</source>
        <translation>Margin:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="864"/>
        <source>标志不透明度:</source>
        <translation>Logo opacity:</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="92"/>
        <source>磅</source>
        <translation>points</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="93"/>
        <source>% 短边</source>
        <translation>% of shorter side</translation>
    </message>
</context>
<context>
    <name>OptionForm</name>
    <message>
        <location filename="../../mainwindow/optionform.cpp" line="327"/>
        <source>选择颜色</source>
        <translation>Select Color</translation>
    </message>
    <message>
        <location filename="../../mainwindow/optionform.cpp" line="338"/>
        <source>选择标志图片</source>
        <translation>Choose a logo picture</translation>
    </message>
</context>
<context>
    <name>OptionHelp</name>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="3"/>
        <source>Output format (same: each input&apos;s own, JPG for a format not written)</source>
        <translation>Output format (same: each input&apos;s own, JPG for a format not written)</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="4"/>
        <source>Encoder quality</source>
        <translation>Encoder quality</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="13"/>
        <source>Write TEXT as EXIF Artist and XMP dc:creator (empty: as the input has it)</source>
        <translation>Write TEXT as EXIF Artist and XMP dc:creator (empty: as the input has it)</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="14"/>
        <source>Write TEXT as EXIF Copyright and XMP dc:rights (empty: as the input has it)</source>
        <translation>Write TEXT as EXIF Copyright and XMP dc:rights (empty: as the input has it)</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="16"/>
        <source>What becomes of an output file that exists before the run (rename writes beside it with _2, _3 ...)</source>
        <translation>What becomes of an output file that exists before the run (rename writes beside it with _2, _3 ...)</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="18"/>
        <source>Name the outputs PREFIX_0001.ext, PREFIX_0002.ext, ...</source>
        <translation>Name the outputs PREFIX_0001.ext, PREFIX_0002.ext, ...</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="19"/>
        <source>Name the outputs from TEMPLATE: {name} {n} {date} {date:FORMAT} {width} {height} {format}</source>
        <translation>Name the outputs from TEMPLATE: {name} {n} {date} {date:FORMAT} {width} {height} {format}</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="20"/>
        <source>Write each picture found under a folder at its place below that folder, inside the output folder.</source>
        <translation>Write each picture found under a folder at its place below that folder, inside the output folder.</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="21"/>
        <source>Standard size</source>
        <translation>Standard size</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="22"/>
        <source>Crop to an aspect ratio</source>
        <translation>Crop to an aspect ratio</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="24"/>
        <source>Width of the size box</source>
        <translation>Width of the size box</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="25"/>
        <source>Height of the size box</source>
        <translation>Height of the size box</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="26"/>
        <source>Resize and standard sizes never enlarge a picture already inside the box.</source>
        <translation>Resize and standard sizes never enlarge a picture already inside the box.</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="27"/>
        <source>Crop the centre to width x height instead of resizing.</source>
        <translation>Crop the centre to width x height instead of resizing.</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="28"/>
        <source>Resize to exactly width x height.</source>
        <translation>Unchecked: resize to exactly width x height.</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="29"/>
        <source>Scale so that the longer side is N pixels</source>
        <translation>Scale so that the longer side is N pixels</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="30"/>
        <source>Scale so that the shorter side is N pixels</source>
        <translation>Scale so that the shorter side is N pixels</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="31"/>
        <source>Scale both sides by PERCENT</source>
        <translation>Scale both sides by PERCENT</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="32"/>
        <source>Resampling filter of every size change</source>
        <translation>Resampling filter of every size change</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="33"/>
        <source>Unsharp mask after the size step: AMOUNT percent of the difference from a blur of RADIUS pixels, where it reaches THRESHOLD levels; 50,1,2 suits web pictures</source>
        <translation>Unsharp mask after the size step: AMOUNT percent of the difference from a blur of RADIUS pixels, where it reaches THRESHOLD levels; 50,1,2 suits web pictures</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="36"/>
        <source>Brightness</source>
        <translation>Brightness</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="37"/>
        <source>Contrast</source>
        <translation>Contrast</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="38"/>
        <source>Saturation in percent</source>
        <translation>Saturation in percent</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="39"/>
        <source>Rotation in degrees clockwise</source>
        <translation>Rotation in degrees clockwise</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="40"/>
        <source>Mirror left and right.</source>
        <translation>Mirror left and right.</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="41"/>
        <source>Mirror top and bottom.</source>
        <translation>Mirror top and bottom.</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="42"/>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="43"/>
        <source>Filter intensity</source>
        <translation>Filter intensity</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="44"/>
        <source>Raise brightness by 10, then contrast by 15, and make the picture opaque.</source>
        <translation>Raise brightness by 10, then contrast by 15, and make the picture opaque.</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="46"/>
        <source>Extract one channel</source>
        <translation>Extract one channel</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="48"/>
        <source>Keep the middle cell of a grid of ROWSxCOLUMNS</source>
        <translation>Keep the middle cell of a grid of ROWSxCOLUMNS</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="51"/>
        <source>Draw TEXT as a watermark.</source>
        <translation>Draw TEXT as a watermark.</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="52"/>
        <source>Watermark colour</source>
        <translation>Watermark colour</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="53"/>
        <source>Watermark alpha</source>
        <translation>Watermark alpha</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="54"/>
        <source>Size the watermark in points, or in % of the picture&apos;s shorter side so that it looks the same at every output size</source>
        <translation>Size the watermark in points, or in % of the picture&apos;s shorter side so that it looks the same at every output size</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="55"/>
        <source>Watermark size in points</source>
        <translation>Watermark size in points</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="57"/>
        <source>Watermark position</source>
        <translation>Watermark position</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="58"/>
        <source>Draw a logo picture on the picture, after the text watermark</source>
        <translation>Draw a logo picture on the picture, after the text watermark</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="65"/>
        <source>Add a border N pixels thick</source>
        <translation>Add a border N pixels thick</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="66"/>
        <source>Border colour</source>
        <translation>Border colour</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="5"/>
        <source>Write JPEG files progressive: a coarse picture first, refined by later scans.</source>
        <translation>Write JPEG files progressive: a coarse picture first, refined by later scans.</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="6"/>
        <source>JPEG colour resolution: 420 halves it both ways, 422 across, 444 keeps it whole</source>
        <translation>JPEG colour resolution: 420 halves it both ways, 422 across, 444 keeps it whole</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="7"/>
        <source>Resolution written into JPG, PNG, TIFF and BMP files and into the EXIF an output carries, in dots per inch</source>
        <translation>Resolution written into JPG, PNG, TIFF and BMP files and into the EXIF an output carries, in dots per inch</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="8"/>
        <source>PNG compression level, 0 (none, fastest) to 9 (smallest, slowest); the pixels are the same at every level</source>
        <translation>PNG compression level, 0 (none, fastest) to 9 (smallest, slowest); the pixels are the same at every level</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="9"/>
        <source>Write WebP files lossless, whatever the quality (quality 100 is lossless too).</source>
        <translation>Write WebP files lossless, whatever the quality (quality 100 is lossless too).</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="10"/>
        <source>Write JPEG XL files lossless, whatever the quality.</source>
        <translation>Write JPEG XL files lossless, whatever the quality.</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="11"/>
        <source>JPEG XL encoder effort: higher is smaller and slower (7, libjxl&apos;s own choice, takes about four times as long as 3)</source>
        <translation>JPEG XL encoder effort: higher is smaller and slower (7, libjxl&apos;s own choice, takes about four times as long as 3)</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="12"/>
        <source>What the outputs carry of the inputs&apos; EXIF, XMP and IPTC (the colour profile stays): all, all but the location (EXIF&apos;s GPS tags and XMP&apos;s exif:GPS properties; also --strip-gps) or none (also --strip-metadata)</source>
        <translation>What the outputs carry of the inputs&apos; EXIF, XMP and IPTC (the colour profile stays): all, all but the location (EXIF&apos;s GPS tags and XMP&apos;s exif:GPS properties; also --strip-gps) or none (also --strip-metadata)</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="15"/>
        <source>Give each output the modification time of its input (modified, which the word alone means) or the time its input was taken (taken; its modification time when it holds none)</source>
        <translation>Give each output the modification time of its input (modified, which the word alone means) or the time its input was taken (taken; its modification time when it holds none)</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="56"/>
        <source>Watermark size in % of the picture&apos;s shorter side</source>
        <translation>Watermark size in % of the picture&apos;s shorter side</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="59"/>
        <source>Draw the picture in FILE (PNG, WebP or any format read) as a logo.</source>
        <translation>Draw the picture in FILE (PNG, WebP or any format read) as a logo.</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="60"/>
        <source>Logo width in % of the picture&apos;s width</source>
        <translation>Logo width in % of the picture&apos;s width</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="61"/>
        <source>Logo position</source>
        <translation>Logo position</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="62"/>
        <source>Logo margin in % of the picture&apos;s shorter side</source>
        <translation>Logo margin in % of the picture&apos;s shorter side</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="63"/>
        <source>Logo opacity in %</source>
        <translation>Logo opacity in %</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="17"/>
        <source>Name the outputs with a prefix and a number</source>
        <translation>Name the outputs with a prefix and a number</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="23"/>
        <source>How the size is given: a box, the long edge, the short edge or a percentage</source>
        <translation>How the size is given: a box, the long edge, the short edge or a percentage</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="34"/>
        <source>Radius in pixels of the blur the sharpening compares with</source>
        <translation>Radius in pixels of the blur the sharpening compares with</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="35"/>
        <source>Least difference from the blur, in levels, that is sharpened</source>
        <translation>Least difference from the blur, in levels, that is sharpened</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="45"/>
        <source>Keep one colour channel of the picture</source>
        <translation>Keep one colour channel of the picture</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="47"/>
        <source>Keep the middle cell of a grid laid over the picture</source>
        <translation>Keep the middle cell of a grid laid over the picture</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="49"/>
        <source>Columns of the grid whose middle cell is kept</source>
        <translation>Columns of the grid whose middle cell is kept</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="50"/>
        <source>Draw a text watermark on the picture</source>
        <translation>Draw a text watermark on the picture</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="64"/>
        <source>Add a border around the picture</source>
        <translation>Add a border around the picture</translation>
    </message>
</context>
<context>
    <name>PresetPanel</name>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="30"/>
        <source>网页 1920</source>
        <translation>Web 1920</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="31"/>
        <source>社交媒体方图 1080</source>
        <translation>Social square 1080</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="32"/>
        <source>缩略图 320</source>
        <translation>Thumbnails 320</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="121"/>
        <location filename="../../mainwindow/presetpanel.cpp" line="132"/>
        <source>预设名称不能为空，也不能包含 / 或 \ 或以 . 开头</source>
        <translation>A preset name cannot be empty, contain / or \ or start with .</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="134"/>
        <source>已有名为“%1”的预设</source>
        <translation>There is already a preset named “%1”</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="136"/>
        <source>无法重命名预设“%1”</source>
        <translation>Cannot rename the preset “%1”</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="144"/>
        <source>无法删除预设“%1”</source>
        <translation>Cannot delete the preset “%1”</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="175"/>
        <source>（选择预设）</source>
        <translation>(none)</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="58"/>
        <source>另存为预设…</source>
        <translation>Save as Preset…</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="59"/>
        <source>重命名预设…</source>
        <translation>Rename Preset…</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="60"/>
        <location filename="../../mainwindow/presetpanel.cpp" line="224"/>
        <source>删除预设</source>
        <translation>Delete Preset</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="62"/>
        <source>导入任务文件…</source>
        <translation>Import Job File…</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="63"/>
        <source>导出任务文件…</source>
        <translation>Export Job File…</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="196"/>
        <location filename="../../mainwindow/presetpanel.cpp" line="201"/>
        <source>另存为预设</source>
        <translation>Save as Preset</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="196"/>
        <source>预设名称:</source>
        <translation>Preset name:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="201"/>
        <source>预设“%1”已存在，要替换吗？</source>
        <translation>The preset “%1” exists. Replace it?</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="213"/>
        <source>重命名预设</source>
        <translation>Rename Preset</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="213"/>
        <source>新名称:</source>
        <translation>New name:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="224"/>
        <source>确定要删除预设“%1”吗？</source>
        <translation>Delete the preset “%1”?</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="230"/>
        <source>导入任务文件</source>
        <translation>Import Job File</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="231"/>
        <location filename="../../mainwindow/presetpanel.cpp" line="239"/>
        <source>任务文件 (*.json)</source>
        <translation>Job files (*.json)</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="238"/>
        <source>导出任务文件</source>
        <translation>Export Job File</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="253"/>
        <source>预设</source>
        <translation>Presets</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="33"/>
        <source>打印 300 dpi TIFF</source>
        <translation>Print 300 dpi TIFF</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="183"/>
        <source>选择预设即可把它保存的全部选项用到表单上；右边的按钮可另存、改名、删除、导入或导出</source>
        <translation>Choosing a preset applies every option it holds to the form; the button beside it saves, renames, deletes, imports or exports presets</translation>
    </message>
</context>
<context>
    <name>PreviewWindow</name>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="211"/>
        <source>并排对比</source>
        <translation>Side by side</translation>
    </message>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="211"/>
        <source>分割对比</source>
        <translation>Split</translation>
    </message>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="213"/>
        <source>实际大小 (100 %)</source>
        <translation>Actual size (100 %)</translation>
    </message>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="226"/>
        <source>预览 — %1</source>
        <translation>Preview — %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="323"/>
        <source>无法处理：%1</source>
        <translation>Cannot process: %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="327"/>
        <source>正在渲染…</source>
        <translation>Rendering…</translation>
    </message>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="327"/>
        <source>正在读取…</source>
        <translation>Reading…</translation>
    </message>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="331"/>
        <source>正在计算准确结果…</source>
        <translation>Computing the exact result…</translation>
    </message>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="334"/>
        <source>输出 %1 × %2 像素</source>
        <translation>Output %1 × %2 pixels</translation>
    </message>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="336"/>
        <source>正在编码…</source>
        <translation>Encoding…</translation>
    </message>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="337"/>
        <source>%1 文件 %2（质量 %3）</source>
        <translation>%1 file %2 (quality %3)</translation>
    </message>
</context>
<context>
    <name>Reason</name>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="18"/>
        <source>cannot read: %1</source>
        <translation>cannot read: %1</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="19"/>
        <source>symbolic link to a missing file</source>
        <translation>symbolic link to a missing file</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="20"/>
        <source>no such file</source>
        <translation>no such file</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="21"/>
        <source>symbolic link loop</source>
        <translation>symbolic link loop</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="22"/>
        <source>permission denied (a folder on the way cannot be searched)</source>
        <translation>permission denied (a folder on the way cannot be searched)</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="23"/>
        <source>is a directory</source>
        <translation>is a directory</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="24"/>
        <source>not a regular file</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="25"/>
        <source>empty file</source>
        <translation>empty file</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="26"/>
        <source>unsupported or damaged image</source>
        <translation>unsupported or damaged image</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="27"/>
        <source>SVG pictures are not accepted</source>
        <translation>SVG pictures are not accepted</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="28"/>
        <source>too large: %1x%2 exceeds the %3 MB limit</source>
        <translation>too large: %1x%2 exceeds the %3 MB limit</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="29"/>
        <source>only the first of its %1 frames is used</source>
        <translation>only the first of its %1 frames is used</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="30"/>
        <source>damaged: no pixel data</source>
        <translation>damaged: no pixel data</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="31"/>
        <source>damaged: the pixel data covers at most %1 of %2 rows</source>
        <translation>damaged: the pixel data covers at most %1 of %2 rows</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="32"/>
        <source>damaged: the file is cut short</source>
        <translation>damaged: the file is cut short</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="33"/>
        <source>damaged: the pixel data ends early</source>
        <translation>damaged: the pixel data ends early</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="34"/>
        <source>too many progressive scans: %1 (at most %2)</source>
        <translation>too many progressive scans: %1 (at most %2)</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="35"/>
        <source>too many progressive scans: they visit each block %1 times (at most %2)</source>
        <translation>too many progressive scans: they visit each block %1 times (at most %2)</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="37"/>
        <source>no picture left (out of memory?)</source>
        <translation>no picture left (out of memory?)</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="38"/>
        <source>the picture is too small for %1</source>
        <translation>the picture is too small for %1</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="39"/>
        <source>pictures over %1 pixels wide or high turn only by multiples of 90 degrees</source>
        <translation>pictures over %1 pixels wide or high turn only by multiples of 90 degrees</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="40"/>
        <source>the picture is smaller than the grid</source>
        <translation>the picture is smaller than the grid</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="42"/>
        <source>cannot write: %1</source>
        <translation>cannot write: %1</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="43"/>
        <source>no writer of %1</source>
        <translation>no writer of %1</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="44"/>
        <source>the processed image is empty</source>
        <translation>the processed image is empty</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="45"/>
        <source>the output name is too long: %1 bytes, where the file system allows %2</source>
        <translation>the output name is too long: %1 bytes, where the file system allows %2</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="46"/>
        <source>the output path is too long</source>
        <translation>the output path is too long</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="47"/>
        <source>cannot inspect the output name</source>
        <translation>cannot inspect the output name</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="48"/>
        <source>the output name is a symbolic link</source>
        <translation>the output name is a symbolic link</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="49"/>
        <source>the output name is not a regular file</source>
        <translation>the output name is not a regular file</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="50"/>
        <source>the device took less than written</source>
        <translation>the device took less than written</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="51"/>
        <source>the JPEG encoder refused the picture</source>
        <translation>the JPEG encoder refused the picture</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="52"/>
        <source>transparency not kept: a %1 file holds none, the picture is laid on white</source>
        <translation>transparency not kept: a %1 file holds none, the picture is laid on white</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="53"/>
        <source>colour profile not kept: a %1 file holds none</source>
        <translation>colour profile not kept: a %1 file holds none</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="54"/>
        <source>EXIF and XMP not carried into a %1 file</source>
        <translation>EXIF and XMP not carried into a %1 file</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="55"/>
        <source>written as %1: this format is not written</source>
        <translation>written as %1: this format is not written</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="56"/>
        <source>metadata not read: %1</source>
        <translation>metadata not read: %1</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="57"/>
        <source>metadata read in part, %1 carried: %2</source>
        <translation>metadata read in part, %1 carried: %2</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="58"/>
        <source>metadata not written: %1</source>
        <translation>metadata not written: %1</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="59"/>
        <source>extended XMP not carried: only a JPEG output holds it</source>
        <translation>extended XMP not carried: only a JPEG output holds it</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="60"/>
        <source>the HEIF boxes are not as expected</source>
        <translation>the HEIF boxes are not as expected</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="61"/>
        <source>the JPEG XL container is damaged</source>
        <translation>the JPEG XL container is damaged</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="62"/>
        <source>the JPEG XL container is not as expected</source>
        <translation>the JPEG XL container is not as expected</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="63"/>
        <source>resolution not written: a %1 file holds none of its own</source>
        <translation>resolution not written: a %1 file holds none of its own</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="64"/>
        <source>modification time not kept: %1</source>
        <translation>modification time not kept: %1</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="65"/>
        <source>no date taken: given its modification time</source>
        <translation>no date taken: given its modification time</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="67"/>
        <source>inside the output folder</source>
        <translation>inside the output folder</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="68"/>
        <source>%1 exists already</source>
        <translation>%1 exists already</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="69"/>
        <source>out of memory</source>
        <translation>out of memory</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="70"/>
        <source>failed: %1</source>
        <translation>failed: %1</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="71"/>
        <source>cannot create folder %1: %2</source>
        <translation>cannot create folder %1: %2</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="72"/>
        <source>a symbolic link or a file is in the way</source>
        <translation>a symbolic link or a file is in the way</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="73"/>
        <source>its output name would hold %1</source>
        <translation>its output name would hold %1</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="74"/>
        <source>its output name would be empty</source>
        <translation>its output name would be empty</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="75"/>
        <source>a slash</source>
        <translation>a slash</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="76"/>
        <source>a control character</source>
        <translation>a control character</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="77"/>
        <source>the prefix holds %1</source>
        <translation>the prefix holds %1</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="78"/>
        <source>the name template %1 is empty</source>
        <translation>the name template %1 is empty</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="79"/>
        <source>the name template %1 has } without {</source>
        <translation>the name template %1 has } without {</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="80"/>
        <source>the name template %1 has { without }</source>
        <translation>the name template %1 has { without }</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="81"/>
        <source>the name template %1 holds %2</source>
        <translation>the name template %1 holds %2</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="82"/>
        <source>the name template %1 has an unknown field {%2}</source>
        <translation>the name template %1 has an unknown field {%2}</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="84"/>
        <source>%1: not a job file: %2 at byte %3</source>
        <translation>%1: not a job file: %2 at byte %3</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="85"/>
        <source>%1: not a job file: no &quot;%2&quot; version number</source>
        <translation>%1: not a job file: no &quot;%2&quot; version number</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="86"/>
        <source>%1: not a job file: larger than %2 bytes</source>
        <translation>%1: not a job file: larger than %2 bytes</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="87"/>
        <source>%1: needs a program that reads job file version %2; this one reads versions up to %3</source>
        <translation>%1: needs a program that reads job file version %2; this one reads versions up to %3</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="88"/>
        <source>%1: &quot;%2&quot; must be an object</source>
        <translation>%1: &quot;%2&quot; must be an object</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="89"/>
        <source>%1: &quot;%2&quot; must be %3 (got %4)</source>
        <translation>%1: &quot;%2&quot; must be %3 (got %4)</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="90"/>
        <source>%1: unknown option &quot;%2&quot; ignored</source>
        <translation>%1: unknown option &quot;%2&quot; ignored</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="91"/>
        <source>%1: cannot read: %2</source>
        <translation>%1: cannot read: %2</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="92"/>
        <source>%1: cannot write: %2</source>
        <translation>%1: cannot write: %2</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="93"/>
        <source>a whole number from %1 to %2</source>
        <translation>a whole number from %1 to %2</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="94"/>
        <source>true or false</source>
        <translation>true or false</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="95"/>
        <source>a text</source>
        <translation>a text</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="96"/>
        <source>#RRGGBB, #AARRGGBB or an SVG colour name</source>
        <translation>#RRGGBB, #AARRGGBB or an SVG colour name</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="97"/>
        <source>one of %1</source>
        <translation>one of %1</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="101"/>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="103"/>
        <source>standard size</source>
        <translation>standard size</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="103"/>
        <source>aspect ratio</source>
        <translation>aspect ratio</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="104"/>
        <source>size</source>
        <translation>size</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="104"/>
        <source>sharpen</source>
        <translation>sharpen</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="105"/>
        <source>brightness</source>
        <translation>brightness</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="105"/>
        <source>contrast</source>
        <translation>contrast</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="106"/>
        <source>saturation</source>
        <translation>saturation</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="106"/>
        <source>rotation</source>
        <translation>rotation</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="107"/>
        <source>flip</source>
        <translation>flip</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="107"/>
        <source>filter</source>
        <translation>filter</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="108"/>
        <source>auto enhance</source>
        <translation>auto enhance</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="108"/>
        <source>channel</source>
        <translation>channel</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="109"/>
        <source>grid cell</source>
        <translation>grid cell</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="109"/>
        <source>watermark</source>
        <translation>watermark</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="110"/>
        <source>border</source>
        <translation>border</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="110"/>
        <source>logo</source>
        <translation>logo</translation>
    </message>
</context>
<context>
    <name>RunController</name>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="45"/>
        <source>请先选择要处理的图片！</source>
        <translation>Please select the images to process first!</translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="49"/>
        <source>请选择输出目录！</source>
        <translation>Please select an output directory!</translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="92"/>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="101"/>
        <source>无法创建输出目录：%1</source>
        <translation>Cannot create the output directory: %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="151"/>
        <source>停止处理</source>
        <translation>Stop</translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="151"/>
        <source>开始处理</source>
        <translation>Start Processing</translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="153"/>
        <source>停止处理 (Esc)</source>
        <translation>Stop (Esc)</translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="153"/>
        <source>开始处理 (Ctrl+Enter)</source>
        <translation>Start Processing (Ctrl+Enter)</translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="177"/>
        <source>已选择 %1 个文件</source>
        <translation>Files selected: %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="246"/>
        <source>已停止</source>
        <translation>Stopped</translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="246"/>
        <source>完成</source>
        <translation>Done</translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="256"/>
        <source>处理已停止。共处理了 %1 张图片。</source>
        <translation>Processing stopped. %1 images were processed.</translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="257"/>
        <source>图片处理完成！共处理了 %1 张图片。</source>
        <translation>Image processing complete! %1 images were processed.</translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="260"/>
        <source>已停止：%1 张图片未处理。</source>
        <translation>Stopped: %1 images not processed.</translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="262"/>
        <source>%1 个文件处理失败。</source>
        <translation>Files failed: %1.</translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="264"/>
        <source>%1 个文件已跳过。</source>
        <translation>Files skipped: %1.</translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="266"/>
        <source>%1 个文件有警告。</source>
        <translation>Files with warnings: %1.</translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="58"/>
        <source>名称模板无效：%1</source>
        <translation>The name template is not valid: %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="63"/>
        <source>无法读取标志图片：%1</source>
        <translation>Cannot read the logo picture: %1</translation>
    </message>
</context>
</TS>
