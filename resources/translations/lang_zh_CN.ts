<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AboutDialog</name>
    <message>
        <location filename="../../aboutdialog/aboutdialog.ui" line="8"/>
        <source>关于Vellumo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../aboutdialog/aboutdialog.ui" line="35"/>
        <source>&lt;h2&gt;Vellumo&lt;/h2&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../aboutdialog/aboutdialog.ui" line="41"/>
        <source>版本: 1.0.0.03</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../aboutdialog/aboutdialog.ui" line="47"/>
        <source>高效批量图片处理工具，支持裁剪、滤镜、水印等丰富功能。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../aboutdialog/aboutdialog.ui" line="54"/>
        <source>&lt;a href=&quot;https://www.vellumo.app&quot;&gt;访问官方网站&lt;/a&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../aboutdialog/aboutdialog.ui" line="62"/>
        <source>© 2026 Orvantis. 保留所有权利。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CompletionDialog</name>
    <message>
        <location filename="../../mainwindow/completiondialog.cpp" line="24"/>
        <source>文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/completiondialog.cpp" line="24"/>
        <source>结果</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/completiondialog.cpp" line="24"/>
        <source>原因</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/completiondialog.cpp" line="37"/>
        <source>未正常写入的文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/completiondialog.cpp" line="83"/>
        <source>复制</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/completiondialog.cpp" line="85"/>
        <source>保存…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/completiondialog.cpp" line="93"/>
        <source>打开输出文件夹</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/completiondialog.cpp" line="109"/>
        <source>失败</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/completiondialog.cpp" line="111"/>
        <source>跳过</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/completiondialog.cpp" line="113"/>
        <location filename="../../mainwindow/completiondialog.cpp" line="145"/>
        <source>警告</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/completiondialog.cpp" line="119"/>
        <source>已写入</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/completiondialog.cpp" line="139"/>
        <source>保存报告</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/completiondialog.cpp" line="139"/>
        <source>文本文件 (*.txt)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/completiondialog.cpp" line="145"/>
        <source>无法保存报告：%1（%2）</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ImageListPanel</name>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="134"/>
        <location filename="../../mainwindow/optionform.cpp" line="337"/>
        <source>图片文件 (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="135"/>
        <source>所有文件 (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="136"/>
        <source>选择图片文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="203"/>
        <source>添加图片…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="204"/>
        <source>添加文件夹…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="205"/>
        <source>移除所选</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="206"/>
        <source>清空列表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="207"/>
        <source>撤销</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="208"/>
        <source>把图片或文件夹拖到这里，
或点击“添加图片”“添加文件夹”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="209"/>
        <source>拖入图片或文件夹即可添加；右键可添加、移除、清空或撤销</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="391"/>
        <source>无法处理：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="397"/>
        <source>已写入</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="400"/>
        <source>已写入，有警告：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="403"/>
        <source>处理失败：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="406"/>
        <source>已跳过：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="210"/>
        <source>图片列表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="223"/>
        <source>添加文件夹</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="394"/>
        <source>注意：%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="8"/>
        <source>批量图片处理工具</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="114"/>
        <location filename="../../mainwindow/accessibility.cpp" line="52"/>
        <source>Vellumo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="167"/>
        <source>添加图片</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="172"/>
        <source>添加文件夹</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="189"/>
        <source>输出目录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="202"/>
        <source>基本处理选项</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="226"/>
        <source>宽度:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="239"/>
        <source>高度:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="346"/>
        <source>保持宽高比</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="352"/>
        <source>裁剪</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="357"/>
        <source>不放大小图</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="362"/>
        <source>输出格式:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/formats/formattable.cpp" line="10"/>
        <source>JPG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/formats/formattable.cpp" line="26"/>
        <source>PNG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/formats/formattable.cpp" line="28"/>
        <source>BMP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/formats/formattable.cpp" line="30"/>
        <source>WEBP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="372"/>
        <source>质量:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="385"/>
        <source>预设:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="395"/>
        <source>管理…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="400"/>
        <source>预览</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="416"/>
        <source>开始处理</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="439"/>
        <source>尺寸和角度预设</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="443"/>
        <source>宽高比:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="455"/>
        <source>标准尺寸:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="471"/>
        <source>垂直翻转</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="476"/>
        <source>水平翻转</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="481"/>
        <source>旋转角度:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="567"/>
        <source>色彩调整</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="571"/>
        <source>对比度:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="585"/>
        <location filename="../../mainwindow/mainwindow.ui" line="623"/>
        <source>0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="590"/>
        <source>饱和度:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="604"/>
        <source>100</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="609"/>
        <source>亮度:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="631"/>
        <source>滤镜</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="635"/>
        <source>滤镜:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="772"/>
        <source>不透明度:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="43"/>
        <source>无</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="44"/>
        <source>模糊</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="45"/>
        <source>灰度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="46"/>
        <source>复古</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="48"/>
        <source>边缘检测</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="49"/>
        <source>浮雕</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="51"/>
        <source>油画</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="645"/>
        <source>强度:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="661"/>
        <source>水印设置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="665"/>
        <source>添加水印</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="673"/>
        <source>水印文字:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="691"/>
        <location filename="../../mainwindow/mainwindow.ui" line="907"/>
        <source>颜色:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="696"/>
        <location filename="../../mainwindow/mainwindow.ui" line="912"/>
        <source>选择颜色</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="733"/>
        <source>字体大小:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="701"/>
        <location filename="../../mainwindow/mainwindow.ui" line="838"/>
        <source>位置:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="883"/>
        <source>边框设置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="887"/>
        <source>添加边框</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="894"/>
        <source>边框厚度:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="928"/>
        <source>批量效果</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="932"/>
        <source>自动增强</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="937"/>
        <source>通道提取</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="946"/>
        <source>网格分割</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="951"/>
        <source>行数:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="964"/>
        <source>列数:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="983"/>
        <source>批量重命名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="988"/>
        <source>前缀:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="994"/>
        <source>image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1029"/>
        <source>元数据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1051"/>
        <source>作者:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1057"/>
        <location filename="../../mainwindow/mainwindow.ui" line="1068"/>
        <source>留空则保持原样</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1062"/>
        <source>版权:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="999"/>
        <source>输出文件已存在时：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="25"/>
        <source>简体中文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="26"/>
        <source>繁體中文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="27"/>
        <source>English</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="58"/>
        <location filename="../../mainwindow/applicationmenu.cpp" line="78"/>
        <source>一键重置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="59"/>
        <source>关于Vellumo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="60"/>
        <location filename="../../mainwindow/applicationmenu.cpp" line="80"/>
        <location filename="../../mainwindow/applicationmenu.cpp" line="93"/>
        <source>帮助</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="79"/>
        <source>关于我们</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="94"/>
        <source>&lt;p&gt;&lt;b&gt;使用方法&lt;/b&gt;&lt;/p&gt;&lt;ol&gt;&lt;li&gt;点击“添加图片”或“添加文件夹”，或把图片、文件夹拖到列表中。&lt;/li&gt;&lt;li&gt;在“基本设置”和“高级设置”中选择处理方式；鼠标停在选项上可看到说明。&lt;/li&gt;&lt;li&gt;点击“输出目录”选择保存位置，再点击“开始处理”（Ctrl+Enter）。&lt;/li&gt;&lt;/ol&gt;&lt;p&gt;列表用标记说明每个文件的结果：无法处理、已写入、有警告、失败或已跳过；鼠标停在文件上可看到原因。Ctrl+Z 撤销移除或清空。处理中按 Esc 停止，正在写入的文件会写完。&lt;/p&gt;&lt;p&gt;输入文件从不被覆盖；输出目录中以前处理生成的文件不会再被处理。&lt;/p&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="186"/>
        <source>选择输出目录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="219"/>
        <source>图片正在处理中。退出将停止处理：正在写入的文件会写完，其余的不再处理。确定要退出Vellumo吗？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="222"/>
        <source>确认退出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="220"/>
        <source>确定要退出Vellumo吗？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="56"/>
        <source>原始比例</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="57"/>
        <source>1:1 (正方形)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="58"/>
        <source>4:3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="59"/>
        <source>16:9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="60"/>
        <source>3:2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="65"/>
        <source>自定义</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="66"/>
        <source>640x480 (VGA)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="67"/>
        <source>800x600 (SVGA)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="69"/>
        <source>1024x768 (XGA)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="71"/>
        <source>1280x720 (HD)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="73"/>
        <source>1920x1080 (Full HD)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="75"/>
        <source>1080x1080 (Instagram)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="77"/>
        <source>1200x1200</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="83"/>
        <source>左上角</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="84"/>
        <source>右上角</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="85"/>
        <source>左下角</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="86"/>
        <source>右下角</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="87"/>
        <source>中心</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="112"/>
        <source>红色通道</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="113"/>
        <source>绿色通道</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="114"/>
        <source>蓝色通道</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="115"/>
        <source>青色通道</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="116"/>
        <source>洋红通道</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="117"/>
        <source>黄色通道</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="121"/>
        <source>替换</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="122"/>
        <source>改名保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="123"/>
        <source>跳过</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="128"/>
        <source>全部保留</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="129"/>
        <source>去除位置信息</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="131"/>
        <source>全部去除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="136"/>
        <source>写出时间</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="137"/>
        <source>原文件修改时间</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="138"/>
        <source>拍摄时间</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/reset.cpp" line="20"/>
        <source>确认重置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/reset.cpp" line="20"/>
        <source>确定要将应用程序重置为初始状态吗？所有设置都将被清除。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/reset.cpp" line="33"/>
        <source>重置完成</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/reset.cpp" line="33"/>
        <source>应用程序已重置为初始状态。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/accessibility.cpp" line="53"/>
        <source>基本设置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/accessibility.cpp" line="54"/>
        <source>高级设置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/accessibility.cpp" line="55"/>
        <source>菜单</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/accessibility.cpp" line="56"/>
        <source>最小化</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/accessibility.cpp" line="57"/>
        <source>关闭</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/accessibility.cpp" line="58"/>
        <source>水印颜色</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/accessibility.cpp" line="59"/>
        <source>边框颜色</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/accessibility.cpp" line="60"/>
        <source>添加图片 (Ctrl+O)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/accessibility.cpp" line="61"/>
        <source>添加文件夹 (Ctrl+Shift+O)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1010"/>
        <source>保留文件夹结构</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1015"/>
        <source>名称模板:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1103"/>
        <location filename="../../processing/formats/formattable.cpp" line="9"/>
        <source>与输入相同</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/formats/formattable.cpp" line="32"/>
        <source>TIFF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/formats/formattable.cpp" line="34"/>
        <source>AVIF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/formats/formattable.cpp" line="35"/>
        <source>HEIC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/formats/formattable.cpp" line="37"/>
        <source>JXL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="206"/>
        <source>尺寸方式:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="266"/>
        <source>长边:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="275"/>
        <location filename="../../mainwindow/mainwindow.ui" line="303"/>
        <location filename="../../mainwindow/mainwindow.ui" line="535"/>
        <source> px</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="294"/>
        <source>短边:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="322"/>
        <source>比例:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="331"/>
        <location filename="../../mainwindow/mainwindow.ui" line="520"/>
        <location filename="../../mainwindow/mainwindow.ui" line="763"/>
        <location filename="../../mainwindow/mainwindow.ui" line="833"/>
        <location filename="../../mainwindow/mainwindow.ui" line="859"/>
        <location filename="../../mainwindow/mainwindow.ui" line="873"/>
        <source> %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="497"/>
        <source>缩放与锐化</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="501"/>
        <source>缩放算法:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="512"/>
        <source>锐化:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="521"/>
        <source>不锐化</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="526"/>
        <source>半径:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="540"/>
        <source>阈值:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="553"/>
        <source>网页锐化</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="97"/>
        <source>平滑</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="98"/>
        <source>Lanczos 3 (细节清晰)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="99"/>
        <source>双线性</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="100"/>
        <source>最近邻</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="105"/>
        <source>宽 × 高</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="106"/>
        <source>长边</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="107"/>
        <source>短边</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="108"/>
        <source>百分比</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1114"/>
        <source>WebP 无损</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1119"/>
        <source>PNG 压缩级别:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1126"/>
        <source>按质量</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1131"/>
        <source>JPEG XL 无损</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1136"/>
        <source>JPEG XL 编码力度:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1076"/>
        <source>格式选项</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1033"/>
        <source>元数据:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1042"/>
        <source>文件日期:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1080"/>
        <source>渐进式 JPEG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1085"/>
        <source>JPEG 色度采样:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1096"/>
        <source>分辨率:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="1102"/>
        <source> dpi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="754"/>
        <source>文字高度:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="713"/>
        <source>大小单位:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="686"/>
        <source>文字中可用: {artist} {copyright} {date} {name}</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="798"/>
        <source>标志水印</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="802"/>
        <source>添加标志</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="810"/>
        <source>标志文件:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="819"/>
        <source>选择文件…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="824"/>
        <source>标志宽度:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="850"/>
        <source>边距:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="864"/>
        <source>标志不透明度:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="92"/>
        <source>磅</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="93"/>
        <source>% 短边</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OptionForm</name>
    <message>
        <location filename="../../mainwindow/optionform.cpp" line="327"/>
        <source>选择颜色</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/optionform.cpp" line="338"/>
        <source>选择标志图片</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OptionHelp</name>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="3"/>
        <source>Output format (same: each input&apos;s own, JPG for a format not written)</source>
        <translation>输出格式（same：每个文件保持原格式，无法写出的格式改为 JPG）</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="4"/>
        <source>Encoder quality</source>
        <translation>编码质量</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="13"/>
        <source>Write TEXT as EXIF Artist and XMP dc:creator (empty: as the input has it)</source>
        <translation>将 TEXT 写入 EXIF Artist 和 XMP dc:creator（留空则保持输入的值）</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="14"/>
        <source>Write TEXT as EXIF Copyright and XMP dc:rights (empty: as the input has it)</source>
        <translation>将 TEXT 写入 EXIF Copyright 和 XMP dc:rights（留空则保持输入的值）</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="16"/>
        <source>What becomes of an output file that exists before the run (rename writes beside it with _2, _3 ...)</source>
        <translation>处理前已存在的输出文件如何处理（改名保存时另存为 _2、_3 …）</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="18"/>
        <source>Name the outputs PREFIX_0001.ext, PREFIX_0002.ext, ...</source>
        <translation>输出文件命名为 前缀_0001.扩展名、前缀_0002.扩展名 …</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="19"/>
        <source>Name the outputs from TEMPLATE: {name} {n} {date} {date:FORMAT} {width} {height} {format}</source>
        <translation>按模板为输出文件命名：{name} {n} {date} {date:FORMAT} {width} {height} {format}</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="20"/>
        <source>Write each picture found under a folder at its place below that folder, inside the output folder.</source>
        <translation>在文件夹中找到的每张图片，都写到输出目录中与原文件夹相同的相对位置。</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="21"/>
        <source>Standard size</source>
        <translation>标准尺寸</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="22"/>
        <source>Crop to an aspect ratio</source>
        <translation>裁剪为指定宽高比</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="24"/>
        <source>Width of the size box</source>
        <translation>尺寸框的宽度</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="25"/>
        <source>Height of the size box</source>
        <translation>尺寸框的高度</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="26"/>
        <source>Resize and standard sizes never enlarge a picture already inside the box.</source>
        <translation>调整大小和标准尺寸不会放大已在尺寸框内的图片。</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="27"/>
        <source>Crop the centre to width x height instead of resizing.</source>
        <translation>裁剪中央的宽 x 高区域，而不是缩放。</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="28"/>
        <source>Resize to exactly width x height.</source>
        <translation>缩放到正好宽 x 高（取消勾选时）。</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="29"/>
        <source>Scale so that the longer side is N pixels</source>
        <translation>缩放到长边为 N 像素</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="30"/>
        <source>Scale so that the shorter side is N pixels</source>
        <translation>缩放到短边为 N 像素</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="31"/>
        <source>Scale both sides by PERCENT</source>
        <translation>两边按百分比缩放</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="32"/>
        <source>Resampling filter of every size change</source>
        <translation>每次改变尺寸所用的重采样滤镜</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="33"/>
        <source>Unsharp mask after the size step: AMOUNT percent of the difference from a blur of RADIUS pixels, where it reaches THRESHOLD levels; 50,1,2 suits web pictures</source>
        <translation>在尺寸步骤之后做 USM 锐化：与半径 RADIUS 像素模糊结果之差的 AMOUNT%，差值达到 THRESHOLD 级才生效；50,1,2 适合网页图片</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="36"/>
        <source>Brightness</source>
        <translation>亮度</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="37"/>
        <source>Contrast</source>
        <translation>对比度</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="38"/>
        <source>Saturation in percent</source>
        <translation>饱和度（百分比）</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="39"/>
        <source>Rotation in degrees clockwise</source>
        <translation>顺时针旋转的角度</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="40"/>
        <source>Mirror left and right.</source>
        <translation>左右镜像。</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="41"/>
        <source>Mirror top and bottom.</source>
        <translation>上下镜像。</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="42"/>
        <source>Filter</source>
        <translation>滤镜</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="43"/>
        <source>Filter intensity</source>
        <translation>滤镜强度</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="44"/>
        <source>Raise brightness by 10, then contrast by 15, and make the picture opaque.</source>
        <translation>亮度提高 10，再把对比度提高 15，并使图片不透明。</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="46"/>
        <source>Extract one channel</source>
        <translation>提取一个通道</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="48"/>
        <source>Keep the middle cell of a grid of ROWSxCOLUMNS</source>
        <translation>把图片分成 行x列 的网格，保留中间一格</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="51"/>
        <source>Draw TEXT as a watermark.</source>
        <translation>把这段文字画为水印。</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="52"/>
        <source>Watermark colour</source>
        <translation>水印颜色</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="53"/>
        <source>Watermark alpha</source>
        <translation>水印的不透明度</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="54"/>
        <source>Size the watermark in points, or in % of the picture&apos;s shorter side so that it looks the same at every output size</source>
        <translation>水印大小以磅为单位，或以图片短边的百分比计，使其在任何输出尺寸下看起来一样</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="55"/>
        <source>Watermark size in points</source>
        <translation>水印字号（磅）</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="57"/>
        <source>Watermark position</source>
        <translation>水印位置</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="58"/>
        <source>Draw a logo picture on the picture, after the text watermark</source>
        <translation>在图片上绘制标志图片（在文字水印之后）</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="65"/>
        <source>Add a border N pixels thick</source>
        <translation>添加指定像素粗细的边框</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="66"/>
        <source>Border colour</source>
        <translation>边框颜色</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="5"/>
        <source>Write JPEG files progressive: a coarse picture first, refined by later scans.</source>
        <translation>写出渐进式 JPEG 文件：先显示粗略的画面，再由后续扫描逐步细化。</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="6"/>
        <source>JPEG colour resolution: 420 halves it both ways, 422 across, 444 keeps it whole</source>
        <translation>JPEG 色度分辨率：420 横竖各减半，422 仅横向减半，444 保持完整</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="7"/>
        <source>Resolution written into JPG, PNG, TIFF and BMP files and into the EXIF an output carries, in dots per inch</source>
        <translation>写入 JPG、PNG、TIFF 和 BMP 文件及输出所带 EXIF 的分辨率，单位为每英寸点数</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="8"/>
        <source>PNG compression level, 0 (none, fastest) to 9 (smallest, slowest); the pixels are the same at every level</source>
        <translation>PNG 压缩级别，0（不压缩，最快）到 9（最小，最慢）；各级别的像素完全相同</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="9"/>
        <source>Write WebP files lossless, whatever the quality (quality 100 is lossless too).</source>
        <translation>无论质量如何都写出无损 WebP 文件（质量 100 也是无损）。</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="10"/>
        <source>Write JPEG XL files lossless, whatever the quality.</source>
        <translation>无论质量如何都写出无损 JPEG XL 文件。</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="11"/>
        <source>JPEG XL encoder effort: higher is smaller and slower (7, libjxl&apos;s own choice, takes about four times as long as 3)</source>
        <translation>JPEG XL 编码力度：越高文件越小、越慢（libjxl 自己的默认值 7 约需 3 的四倍时间）</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="12"/>
        <source>What the outputs carry of the inputs&apos; EXIF, XMP and IPTC (the colour profile stays): all, all but the location (EXIF&apos;s GPS tags and XMP&apos;s exif:GPS properties; also --strip-gps) or none (also --strip-metadata)</source>
        <translation>输出文件保留输入文件的哪些 EXIF、XMP 和 IPTC（色彩配置文件始终保留）：全部保留；去除位置信息（EXIF 的 GPS 标签和 XMP 的 exif:GPS 属性，也可用 --strip-gps）；或全部去除（也可用 --strip-metadata）</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="15"/>
        <source>Give each output the modification time of its input (modified, which the word alone means) or the time its input was taken (taken; its modification time when it holds none)</source>
        <translation>输出文件的修改时间取输入文件的修改时间（modified，单独给出该选项即为此值），或取输入照片的拍摄时间（taken；照片没有拍摄时间时取其修改时间）</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="56"/>
        <source>Watermark size in % of the picture&apos;s shorter side</source>
        <translation>水印大小，占图片短边的百分比</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="59"/>
        <source>Draw the picture in FILE (PNG, WebP or any format read) as a logo.</source>
        <translation>将 FILE 中的图片（PNG、WebP 或任何可读格式）作为标志绘制。</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="60"/>
        <source>Logo width in % of the picture&apos;s width</source>
        <translation>标志宽度，占图片宽度的百分比</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="61"/>
        <source>Logo position</source>
        <translation>标志位置</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="62"/>
        <source>Logo margin in % of the picture&apos;s shorter side</source>
        <translation>标志边距，占图片短边的百分比</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="63"/>
        <source>Logo opacity in %</source>
        <translation>标志不透明度（%）</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="17"/>
        <source>Name the outputs with a prefix and a number</source>
        <translation>以前缀加编号命名输出文件</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="23"/>
        <source>How the size is given: a box, the long edge, the short edge or a percentage</source>
        <translation>尺寸的给法：宽 × 高的框、长边、短边或百分比</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="34"/>
        <source>Radius in pixels of the blur the sharpening compares with</source>
        <translation>锐化时用来比较的模糊半径（像素）</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="35"/>
        <source>Least difference from the blur, in levels, that is sharpened</source>
        <translation>与模糊结果相差至少多少级才锐化</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="45"/>
        <source>Keep one colour channel of the picture</source>
        <translation>只保留图片的一个颜色通道</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="47"/>
        <source>Keep the middle cell of a grid laid over the picture</source>
        <translation>在图片上划分网格，只保留中间的一格</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="49"/>
        <source>Columns of the grid whose middle cell is kept</source>
        <translation>网格的列数（保留中间的一格）</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="50"/>
        <source>Draw a text watermark on the picture</source>
        <translation>在图片上添加文字水印</translation>
    </message>
    <message>
        <location filename="../../build/mainwindow/option-help-messages.cpp" line="64"/>
        <source>Add a border around the picture</source>
        <translation>给图片四周加边框</translation>
    </message>
</context>
<context>
    <name>PresetPanel</name>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="30"/>
        <source>网页 1920</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="31"/>
        <source>社交媒体方图 1080</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="32"/>
        <source>缩略图 320</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="121"/>
        <location filename="../../mainwindow/presetpanel.cpp" line="132"/>
        <source>预设名称不能为空，也不能包含 / 或 \ 或以 . 开头</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="134"/>
        <source>已有名为“%1”的预设</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="136"/>
        <source>无法重命名预设“%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="144"/>
        <source>无法删除预设“%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="175"/>
        <source>（选择预设）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="58"/>
        <source>另存为预设…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="59"/>
        <source>重命名预设…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="60"/>
        <location filename="../../mainwindow/presetpanel.cpp" line="224"/>
        <source>删除预设</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="62"/>
        <source>导入任务文件…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="63"/>
        <source>导出任务文件…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="196"/>
        <location filename="../../mainwindow/presetpanel.cpp" line="201"/>
        <source>另存为预设</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="196"/>
        <source>预设名称:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="201"/>
        <source>预设“%1”已存在，要替换吗？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="213"/>
        <source>重命名预设</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="213"/>
        <source>新名称:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="224"/>
        <source>确定要删除预设“%1”吗？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="230"/>
        <source>导入任务文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="231"/>
        <location filename="../../mainwindow/presetpanel.cpp" line="239"/>
        <source>任务文件 (*.json)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="238"/>
        <source>导出任务文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="253"/>
        <source>预设</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="33"/>
        <source>打印 300 dpi TIFF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="183"/>
        <source>选择预设即可把它保存的全部选项用到表单上；右边的按钮可另存、改名、删除、导入或导出</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PreviewWindow</name>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="211"/>
        <source>并排对比</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="211"/>
        <source>分割对比</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="213"/>
        <source>实际大小 (100 %)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="226"/>
        <source>预览 — %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="323"/>
        <source>无法处理：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="327"/>
        <source>正在渲染…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="327"/>
        <source>正在读取…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="331"/>
        <source>正在计算准确结果…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="334"/>
        <source>输出 %1 × %2 像素</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="336"/>
        <source>正在编码…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="337"/>
        <source>%1 文件 %2（质量 %3）</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Reason</name>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="18"/>
        <source>cannot read: %1</source>
        <translation>无法读取：%1</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="19"/>
        <source>symbolic link to a missing file</source>
        <translation>符号链接指向的文件不存在</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="20"/>
        <source>no such file</source>
        <translation>文件不存在</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="21"/>
        <source>symbolic link loop</source>
        <translation>符号链接循环</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="22"/>
        <source>permission denied (a folder on the way cannot be searched)</source>
        <translation>权限不足（路径上的某个文件夹无法访问）</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="23"/>
        <source>is a directory</source>
        <translation>这是一个文件夹</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="24"/>
        <source>not a regular file</source>
        <translation>不是普通文件</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="25"/>
        <source>empty file</source>
        <translation>空文件</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="26"/>
        <source>unsupported or damaged image</source>
        <translation>不支持的格式或图片已损坏</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="27"/>
        <source>SVG pictures are not accepted</source>
        <translation>不接受 SVG 图片</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="28"/>
        <source>too large: %1x%2 exceeds the %3 MB limit</source>
        <translation>图片过大：%1x%2 超出 %3 MB 的上限</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="29"/>
        <source>only the first of its %1 frames is used</source>
        <translation>共 %1 帧，只使用第一帧</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="30"/>
        <source>damaged: no pixel data</source>
        <translation>已损坏：没有像素数据</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="31"/>
        <source>damaged: the pixel data covers at most %1 of %2 rows</source>
        <translation>已损坏：像素数据最多只覆盖 %2 行中的 %1 行</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="32"/>
        <source>damaged: the file is cut short</source>
        <translation>已损坏：文件不完整</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="33"/>
        <source>damaged: the pixel data ends early</source>
        <translation>已损坏：像素数据提前结束</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="34"/>
        <source>too many progressive scans: %1 (at most %2)</source>
        <translation>渐进式扫描过多：%1 次（最多 %2 次）</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="35"/>
        <source>too many progressive scans: they visit each block %1 times (at most %2)</source>
        <translation>渐进式扫描过多：每个块被访问 %1 次（最多 %2 次）</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="37"/>
        <source>no picture left (out of memory?)</source>
        <translation>没有留下图片（内存不足？）</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="38"/>
        <source>the picture is too small for %1</source>
        <translation>图片太小，无法裁成 %1</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="39"/>
        <source>pictures over %1 pixels wide or high turn only by multiples of 90 degrees</source>
        <translation>宽或高超过 %1 像素的图片只能旋转 90 度的整数倍</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="40"/>
        <source>the picture is smaller than the grid</source>
        <translation>图片比网格还小</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="42"/>
        <source>cannot write: %1</source>
        <translation>无法写入：%1</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="43"/>
        <source>no writer of %1</source>
        <translation>没有 %1 的写入器</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="44"/>
        <source>the processed image is empty</source>
        <translation>处理后的图片为空</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="45"/>
        <source>the output name is too long: %1 bytes, where the file system allows %2</source>
        <translation>输出文件名过长：%1 字节，文件系统最多允许 %2 字节</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="46"/>
        <source>the output path is too long</source>
        <translation>输出路径过长</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="47"/>
        <source>cannot inspect the output name</source>
        <translation>无法检查输出文件名</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="48"/>
        <source>the output name is a symbolic link</source>
        <translation>输出文件名是一个符号链接</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="49"/>
        <source>the output name is not a regular file</source>
        <translation>输出文件名不是普通文件</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="50"/>
        <source>the device took less than written</source>
        <translation>设备接收的数据少于写入的数据</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="51"/>
        <source>the JPEG encoder refused the picture</source>
        <translation>JPEG 编码器拒绝了这张图片</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="52"/>
        <source>transparency not kept: a %1 file holds none, the picture is laid on white</source>
        <translation>未保留透明度：%1 文件不支持透明，图片已铺在白色背景上</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="53"/>
        <source>colour profile not kept: a %1 file holds none</source>
        <translation>未保留色彩配置文件：%1 文件不支持</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="54"/>
        <source>EXIF and XMP not carried into a %1 file</source>
        <translation>%1 文件无法带上 EXIF 和 XMP</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="55"/>
        <source>written as %1: this format is not written</source>
        <translation>已写为 %1：不能写入该格式</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="56"/>
        <source>metadata not read: %1</source>
        <translation>未读取元数据（%1）</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="57"/>
        <source>metadata read in part, %1 carried: %2</source>
        <translation>元数据只读取了一部分，已带上 %1（%2）</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="58"/>
        <source>metadata not written: %1</source>
        <translation>未写入元数据（%1）</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="59"/>
        <source>extended XMP not carried: only a JPEG output holds it</source>
        <translation>未带上扩展 XMP：只有 JPEG 输出能保存它</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="60"/>
        <source>the HEIF boxes are not as expected</source>
        <translation>HEIF 盒结构与预期不符</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="61"/>
        <source>the JPEG XL container is damaged</source>
        <translation>JPEG XL 容器已损坏</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="62"/>
        <source>the JPEG XL container is not as expected</source>
        <translation>JPEG XL 容器与预期不符</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="63"/>
        <source>resolution not written: a %1 file holds none of its own</source>
        <translation>未写入分辨率：%1 文件不含分辨率</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="64"/>
        <source>modification time not kept: %1</source>
        <translation>未保留修改时间：%1</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="65"/>
        <source>no date taken: given its modification time</source>
        <translation>没有拍摄时间：已使用其修改时间</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="67"/>
        <source>inside the output folder</source>
        <translation>位于输出文件夹内</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="68"/>
        <source>%1 exists already</source>
        <translation>%1 已存在</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="69"/>
        <source>out of memory</source>
        <translation>内存不足</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="70"/>
        <source>failed: %1</source>
        <translation>失败（%1）</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="71"/>
        <source>cannot create folder %1: %2</source>
        <translation>无法创建文件夹 %1 ：%2</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="72"/>
        <source>a symbolic link or a file is in the way</source>
        <translation>该位置已有符号链接或文件</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="73"/>
        <source>its output name would hold %1</source>
        <translation>输出文件名会包含%1</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="74"/>
        <source>its output name would be empty</source>
        <translation>输出文件名会为空</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="75"/>
        <source>a slash</source>
        <translation>斜杠</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="76"/>
        <source>a control character</source>
        <translation>控制字符</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="77"/>
        <source>the prefix holds %1</source>
        <translation>前缀包含%1</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="78"/>
        <source>the name template %1 is empty</source>
        <translation>名称模板 %1 为空</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="79"/>
        <source>the name template %1 has } without {</source>
        <translation>名称模板 %1 中的 } 没有对应的 {</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="80"/>
        <source>the name template %1 has { without }</source>
        <translation>名称模板 %1 中的 { 没有对应的 }</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="81"/>
        <source>the name template %1 holds %2</source>
        <translation>名称模板 %1 包含%2</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="82"/>
        <source>the name template %1 has an unknown field {%2}</source>
        <translation>名称模板 %1 中有未知字段 {%2}</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="84"/>
        <source>%1: not a job file: %2 at byte %3</source>
        <translation>%1 ：不是任务文件，第 %3 字节有误（%2）</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="85"/>
        <source>%1: not a job file: no &quot;%2&quot; version number</source>
        <translation>%1 ：不是任务文件，缺少“%2”版本号</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="86"/>
        <source>%1: not a job file: larger than %2 bytes</source>
        <translation>%1 ：不是任务文件，大于 %2 字节</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="87"/>
        <source>%1: needs a program that reads job file version %2; this one reads versions up to %3</source>
        <translation>%1 ：需要能读取第 %2 版任务文件的程序；本程序最高只能读取第 %3 版</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="88"/>
        <source>%1: &quot;%2&quot; must be an object</source>
        <translation>%1 ：“%2”必须是一个对象</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="89"/>
        <source>%1: &quot;%2&quot; must be %3 (got %4)</source>
        <translation>%1 ：“%2”必须是%3（实际为 %4）</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="90"/>
        <source>%1: unknown option &quot;%2&quot; ignored</source>
        <translation>%1 ：已忽略未知选项“%2”</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="91"/>
        <source>%1: cannot read: %2</source>
        <translation>%1 ：无法读取（%2）</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="92"/>
        <source>%1: cannot write: %2</source>
        <translation>%1 ：无法写入（%2）</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="93"/>
        <source>a whole number from %1 to %2</source>
        <translation>%1 到 %2 之间的整数</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="94"/>
        <source>true or false</source>
        <translation>“true”或“false”</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="95"/>
        <source>a text</source>
        <translation>文本</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="96"/>
        <source>#RRGGBB, #AARRGGBB or an SVG colour name</source>
        <translation>#RRGGBB、#AARRGGBB 或 SVG 颜色名称</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="97"/>
        <source>one of %1</source>
        <translation>以下之一：%1</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="101"/>
        <source>%1: %2</source>
        <translation>%1步骤：%2</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="103"/>
        <source>standard size</source>
        <translation>标准尺寸</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="103"/>
        <source>aspect ratio</source>
        <translation>宽高比</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="104"/>
        <source>size</source>
        <translation>尺寸</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="104"/>
        <source>sharpen</source>
        <translation>锐化</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="105"/>
        <source>brightness</source>
        <translation>亮度</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="105"/>
        <source>contrast</source>
        <translation>对比度</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="106"/>
        <source>saturation</source>
        <translation>饱和度</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="106"/>
        <source>rotation</source>
        <translation>旋转</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="107"/>
        <source>flip</source>
        <translation>翻转</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="107"/>
        <source>filter</source>
        <translation>滤镜</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="108"/>
        <source>auto enhance</source>
        <translation>自动增强</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="108"/>
        <source>channel</source>
        <translation>通道</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="109"/>
        <source>grid cell</source>
        <translation>网格单元</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="109"/>
        <source>watermark</source>
        <translation>水印</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="110"/>
        <source>border</source>
        <translation>边框</translation>
    </message>
    <message>
        <location filename="../../processing/run/reasons.cpp" line="110"/>
        <source>logo</source>
        <translation>标志水印</translation>
    </message>
</context>
<context>
    <name>RunController</name>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="45"/>
        <source>请先选择要处理的图片！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="49"/>
        <source>请选择输出目录！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="92"/>
        <source>警告</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="101"/>
        <source>无法创建输出目录：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="151"/>
        <source>停止处理</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="151"/>
        <source>开始处理</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="153"/>
        <source>停止处理 (Esc)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="153"/>
        <source>开始处理 (Ctrl+Enter)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="177"/>
        <source>已选择 %1 个文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="246"/>
        <source>已停止</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="246"/>
        <source>完成</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="256"/>
        <source>处理已停止。共处理了 %1 张图片。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="257"/>
        <source>图片处理完成！共处理了 %1 张图片。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="260"/>
        <source>已停止：%1 张图片未处理。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="262"/>
        <source>%1 个文件处理失败。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="264"/>
        <source>%1 个文件已跳过。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="266"/>
        <source>%1 个文件有警告。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="58"/>
        <source>名称模板无效：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="63"/>
        <source>无法读取标志图片：%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
